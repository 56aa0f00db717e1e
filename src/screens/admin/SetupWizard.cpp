#include "screens/admin/SetupWizard.h"

#include "accounts/Enquirers.h"
#include "accounts/EnquiryReasons.h"
#include "accounts/SetupHelpers.h"
#include "accounts/Validation.h"
#include "core/ApplicationSettings.h"
#include "core/AskTellUser.h"
#include "core/PreservePointer.h"
#include "database/CDataBase.h"
#include "database/ErrorPersist.h"
#include "database/LogLines.h"
#include "platform/AppContext.h"
#include "platform/NevixError.h"
#include "platform/UserInteraction.h"
#include "screens/admin/frmSetup.h"
#include "screens/common/EnquirerControls.h"
#include "screens/common/HelpButton.h"
#include "screens/common/ScreenHelpers.h"
#include "screens/transmission/ShowTransmissionLog.h"
#include "service/NevixCommsTest.h"
#include "service/NevixEnquirerRequest.h"
#include "service/NevixSeedControlRefs.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>

namespace {
const QString CrLf = QStringLiteral("\r\n");
const QString ShowLogDetail = QStringLiteral("You can view the full log by clicking the Show Log button.");
// The topic the wizard would show; it offers no help.
constexpr int32_t SetupHelpTopic = 1000;

void Focus(QWidget* control)
{
    control->setFocus(Qt::OtherFocusReason);
}
} // namespace

SetupWizard::SetupWizard(frmSetup& form, CDataBase& database, UserEditor editUser)
    : m_form(form), m_db(database), m_editUser(std::move(editUser))
{
}

SetupWizard::~SetupWizard() = default;

void SetupWizard::Initialise()
{
    for (int i = 0; i <= LastStep; ++i)
        m_form.fraStepFrame(i)->hide();
    m_enquirers = std::make_shared<Enquirers>();
    m_enquirers->SetDataSource(&m_db);
    m_account.SetDataSource(&m_db);
    m_log = std::make_shared<LogLines>();
    m_log->SetDataSource(&m_db);
    connect(m_log.get(), &LogLines::LogLineAdded, this, &SetupWizard::mobjLog_LogLineAdded);
    m_parameters.SetDataSource(&m_db);
    m_users.SetDataSource(&m_db);
    m_form.fraStepFrame(0)->show();
    m_form.lblPasswordRule()->setText(PasswordRuleText());
    m_form.lblNeviUsernameRules()->setText(
        QStringLiteral("NEVIX Service user names are between 5 and 40 characters and can contain a "
                       "combination of digits, letters and : -/_#@"));
    HideHelpButton(m_form, SetupHelpTopic);
}

void SetupWizard::ChangeStep(int newStep)
{
    if (newStep < 0 || newStep > LastStep)
        return;
    try {
        if (!LeaveStep(newStep))
            return;
        m_form.fraStepFrame(newStep)->show();
        if (newStep != m_step)
            m_form.fraStepFrame(m_step)->hide();
        m_form.lblProgress(m_step)->setEnabled(false);
        m_form.lblProgress(newStep)->setEnabled(true);
        m_step = newStep;
        m_form.tmrForCapsLocck()->stop();
        m_form.cmdNextFinsh()->setText(QStringLiteral("&Next"));
        m_form.cmdBack()->show();
        ShowProgressList(m_progressShown && (m_step == 1 || m_step == 2));
        PrepareStep();
    } catch (...) {
        ErrorPersist error;
        error.Load(std::current_exception());
        TellUserWarning(QStringLiteral("Unable to move tabs because:"), error.Description());
        EnableWizardButtons(true);
    }
}

bool SetupWizard::LeaveStep(int newStep)
{
    switch (m_step) {
    case 1:
        m_form.cmdShowLog()->hide();
        return newStep <= 1 || RunExchanges();
    case 2:
        if (newStep <= 1)
            return true;
        // The folders as the boxes show them, whether or not they were left.
        for (int i = 0; i < 2; ++i)
            FolderEdited(i, m_form.txtEnqFolder(i)->text());
        if (!ValidateEnquirerSetup(*m_enquirers))
            return false;
        m_enquirers->Apply();
        return true;
    case 3:
        // Back to the enquirers too: the users are stored either way.
        if (newStep <= 1)
            return true;
        if (!CheckAdminUserHasAllEnquirers(m_users, *m_enquirers))
            return false;
        m_users.Apply();
        return true;
    default:
        return true;
    }
}

void SetupWizard::PrepareStep()
{
    switch (m_step) {
    case 0:
        m_form.cmdBack()->hide();
        break;
    case 1:
        m_account.Load();
        m_form.txtIEUserID()->setText(m_account.UserName());
        m_form.txtIEPassword()->setText(m_account.Password());
        Focus(m_form.txtIEUserID());
        m_form.tmrForCapsLocck()->start();
        m_progressShown = false;
        ShowProgressList(false);
        break;
    case 2:
        PrepareEnquirers();
        break;
    case 3:
        m_form.lblAddUsersNewInstall()->show();
        LoadUserList(m_users, m_form);
        break;
    case LastStep:
        m_form.cmdNextFinsh()->setText(QStringLiteral("&Finish"));
        m_parameters.Load();
        m_form.txtPartyName()->setText(m_parameters.PartyName());
        Focus(m_form.txtPartyName());
        break;
    default:
        break;
    }
}

void SetupWizard::PrepareEnquirers()
{
    m_enquirers->Load();
    EnsureDefaultEnquirerAndReason(m_enquirers);
    AddProgressLine(QString::number(m_enquirers->Count()) + QStringLiteral(" Enquirers obtained"));
    LoadEnquirerCombo(*m_enquirers, m_form);
    SetCompanyNameFromEnquirers();
    if (m_form.cboEnquirer()->isVisibleTo(&m_form))
        Focus(m_form.cboEnquirer());
    else if (m_form.cboReasonForEnquiry()->isVisibleTo(&m_form))
        Focus(m_form.cboReasonForEnquiry());
    else
        Focus(m_form.txtEnqFolder(0));
}

void SetupWizard::SetCompanyNameFromEnquirers()
{
    if (m_enquirers->Count() == 0) {
        TellUserWarning(QStringLiteral("No Enquirers have been downloaded from the NEVIX service."), QString());
        return;
    }
    const auto named = m_enquirers->Count() == 1 ? m_enquirers->Item(1) : m_enquirers->DefaultEnquirer();
    if (!named)
        return;
    m_parameters.Load();
    m_parameters.SetPartyName(named->Name());
    m_parameters.Apply();
}

bool SetupWizard::SaveServiceAccount()
{
    const QString userName = m_form.txtIEUserID()->text();
    const QString password = m_form.txtIEPassword()->text();
    const QString userNameRule = ValidateNevixUsername(userName);
    const QString passwordRule = ValidateNevixPassword(password);
    if (!userNameRule.isEmpty())
        Focus(m_form.txtIEUserID());
    else if (!passwordRule.isEmpty())
        Focus(m_form.txtIEPassword());
    QString message = userNameRule;
    if (!message.isEmpty() && !passwordRule.isEmpty())
        message += CrLf;
    message += passwordRule;
    if (!message.isEmpty()) {
        TellUserWarning(message, QString());
        return false;
    }
    m_account.SetPassword(password);
    m_account.SetUserName(userName);
    m_account.Apply();
    return true;
}

bool SetupWizard::RunExchanges()
{
    if (!SaveServiceAccount())
        return false;
    m_form.lstCommsProgress()->clear();
    m_progressShown = true;
    ShowProgressList(true);
    EnableWizardButtons(false);
    QString failure;
    m_busy = true;
    try {
        PreservePointer pointer;
        pointer.SetHourGlass(&m_form);
        failure = TalkToService();
    } catch (...) {
        m_busy = false;
        EnableWizardButtons(true);
        throw;
    }
    m_busy = false;
    EnableWizardButtons(true);
    if (failure.isEmpty())
        return true;
    m_form.cmdShowLog()->show();
    TellUser(failure, ShowLogDetail, MsgBox::Information);
    return false;
}

QString SetupWizard::TalkToService()
{
    AddProgressLine(QStringLiteral("Begining communication test with NEVIX service"));
    if (!RunNevixCommsTest(*m_log))
        return QStringLiteral("Unable connect to or log-on to, the NEVIX service.");
    AddProgressLine(QStringLiteral("Communication test completed"));
    AddProgressLine(QString());
    AddProgressLine(QStringLiteral("Seeding control reference"));
    const bool seeded = RunNevixSeedControlRefs(*m_log);
    // The seeding writes into the test's run, which has ended: its lines
    // are stored with that run rather than dropped by the next one.
    m_log->Apply();
    if (!seeded)
        return QStringLiteral("Unable to seed control references on the NEVIX service.");
    AddProgressLine(QStringLiteral("Control references seeded successfully"));
    AddProgressLine(QStringLiteral("Getting Enquirers from NEVIX service"));
    if (!RunNevixEnquirerRequest(*m_log))
        return QStringLiteral("Unable to get Enquirer details from the NEVIX service.");
    return QString();
}

void SetupWizard::EnableWizardButtons(bool enabled)
{
    if (m_form.cmdNextFinsh()->isEnabled() == enabled)
        return;
    for (QPushButton* button :
         {m_form.cmdNextFinsh(), m_form.cmdBack(), m_form.cmdCancel(), m_form.cmdHelp()})
        button->setEnabled(enabled);
    AppContext::Current().ui().PumpEvents();
}

void SetupWizard::AddProgressLine(const QString& text)
{
    QListWidget* list = m_form.lstCommsProgress();
    list->addItem(text);
    list->scrollToBottom();
}

void SetupWizard::ShowProgressList(bool shown)
{
    m_form.lstCommsProgress()->setVisible(shown);
}

QStringList SetupWizard::ProgressLines(int32_t eventCode, const QString& eventText, const QString& serviceUser,
                                       const QString& servicePassword, const QString& host)
{
    if (eventCode != EventCodes::Information && eventCode != EventCodes::Warning &&
        eventCode != EventCodes::Error)
        return {};
    if (eventText.contains(QStringLiteral("NS050")))
        return {QStringLiteral("The user name or password could not be matched on the NEVIX service"),
                QStringLiteral("Check that the user name and password that you entered is the one we "
                               "supplied you with"),
                QStringLiteral("The user name & password being used are: ") + serviceUser +
                    QStringLiteral(", ") + servicePassword};
    if (eventText.contains(QStringLiteral("JX001")))
        return {QStringLiteral("Unable to connect to the NEVIX service"),
                QStringLiteral("Check that you are able to get to the internet from this computer,"),
                QStringLiteral("Attempting to connect to: ") + host};
    return {eventText};
}

void SetupWizard::mobjLog_LogLineAdded(const std::shared_ptr<LogLine>& oLogLine, int32_t /*oAddedWhen*/)
{
    // The address is kept per installation and no screen edits it: say where it goes.
    const QString host = Settings().NevixHost().isEmpty()
                             ? QStringLiteral("(no service address in ") + Settings().SettingsFilePath() + u')'
                             : Settings().NevixHost();
    const QStringList lines = ProgressLines(oLogLine->EventCode(), oLogLine->EventText(), m_account.UserName(),
                                            m_account.Password(), host);
    for (const QString& line : lines)
        AddProgressLine(line);
}

bool SetupWizard::Finish()
{
    const QString companyName = m_form.txtPartyName()->text().trimmed();
    if (companyName.isEmpty()) {
        TellUser(QStringLiteral("You must have a Company Name"), QString(), MsgBox::Information);
        Focus(m_form.txtPartyName());
        return false;
    }
    try {
        m_parameters.SetPartyName(companyName);
        m_parameters.SetIsSetupComplete(true);
        m_parameters.Apply();
    } catch (const NevixError& e) {
        TellUserWarning(QStringLiteral("Unable to complete the setup because:"), e.Description());
        return false;
    }
    ApplicationSettings& settings = Settings();
    settings.SetProgramInstallMode(m_form.optInstalMode(0)->isChecked() ? InstallMode::Standalone
                                                                        : InstallMode::Server);
    m_db.SetIsSingleUserConnection(settings.ProgramInstallMode() == InstallMode::Standalone);
    settings.SetProgramRunningMode(RunningMode::Interactive);
    // The mode holds for this run even when it could not be saved.
    settings.ApplyOrWarn();
    return true;
}

bool SetupWizard::ConfirmStopSetup()
{
    return AskUser(QStringLiteral("Nevix Client cannot be run until the setup has been completed."),
                   QStringLiteral("Do you want to stop now?"), MsgBox::YesNo,
                   MsgBox::AnswerNo) == MsgBox::AnswerYes;
}

void SetupWizard::ShowLog()
{
    ShowTransmissionLog(&m_form, m_log);
}

void SetupWizard::ShowPassword(bool shown)
{
    m_form.txtIEPassword()->setEchoMode(shown ? QLineEdit::Normal : QLineEdit::Password);
}

void SetupWizard::CapsLockTick()
{
    const bool on = IsCapsLockOn();
    if (on == m_form.lblCapsLockOn()->isVisibleTo(&m_form))
        return;
    m_form.lblCapsLockOn()->setVisible(on);
    m_form.imgCapLockOn()->setVisible(on);
}

std::shared_ptr<Enquirer> SetupWizard::EditedEnquirer() const
{
    return m_enquirers ? ShownEnquirer(*m_enquirers, m_form) : nullptr;
}

void SetupWizard::EnquirerChosen(int index)
{
    if (index >= 0 && m_enquirers && index < m_enquirers->Count())
        ShowEnquirerDetails(int16_t(index + 1), *m_enquirers, m_form);
}

void SetupWizard::ReasonChosen(const QString& text)
{
    const auto enquirer = EditedEnquirer();
    if (!enquirer)
        return;
    // The combo shows each reason with its code in front.
    const auto reasons = enquirer->EnquiryReasons();
    std::shared_ptr<EnquiryReason> chosen;
    for (const auto& reason : *reasons) {
        if (reason->DescriptionWithCode() == text || reason->Description() == text) {
            chosen = reason;
            break;
        }
    }
    if (!chosen)
        return;
    for (const auto& reason : *reasons)
        reason->SetIsDefault(false);
    chosen->SetIsDefault(true);
}

void SetupWizard::DefaultEnquirerClicked(bool ticked)
{
    if (m_enquirers)
        SetSelectedEnquirerDefault(ticked, *m_enquirers, m_form);
}

void SetupWizard::FolderEdited(int index, const QString& folder)
{
    SetEnquirerFolder(EditedEnquirer().get(), index, folder);
}

void SetupWizard::BrowseFolder(int index)
{
    BrowseIntoFolderBox(index, m_form, EditedEnquirer().get());
}

void SetupWizard::AddUser()
{
    AddUserFromList(m_enquirers, m_users, m_form, m_editUser);
}

void SetupWizard::EditUser()
{
    EditSelectedUser(m_enquirers, m_users, m_form, m_editUser);
}

void SetupWizard::RemoveUser()
{
    DeleteSelectedUser(m_users, m_form);
}
