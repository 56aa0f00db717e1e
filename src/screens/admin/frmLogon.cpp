#include "screens/admin/frmLogon.h"

#include "accounts/CurrentUser.h"
#include "accounts/User.h"
#include "accounts/UserGroup.h"
#include "accounts/Users.h"
#include "accounts/Validation.h"
#include "core/ApplicationSettings.h"
#include "core/AskTellUser.h"
#include "core/GlobalDeclarations.h"
#include "core/PreservePointer.h"
#include "core/qt/FormWidgets.h"
#include "database/DatabaseSchema.h"
#include "database/SysParameters.h"
#include "platform/NevixError.h"
#include "platform/UserInteraction.h"
#include "screens/admin/frmChangePassword.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

frmLogon::frmLogon(CDataBase& database, LogonRoads roads, QWidget* parent)
    : QDialog(parent), m_db(database), m_roads(std::move(roads)),
      m_txtPartyCode(new QLineEdit(this)), m_txtPassword(new QLineEdit(this)),
      m_chkShowPassword(new QCheckBox(this)),
      m_lblShowPassword(new QLabel(QStringLiteral("Show password"), this)),
      m_lblVersion(new QLabel(this)),
      m_cmdOK(new QPushButton(QStringLiteral("&Log In"), this)),
      m_cmdCancel(new QPushButton(QStringLiteral("&Cancel"), this))
{
    for (auto* road : {&m_roads.OpenMainMenu, &m_roads.OpenSetupWizard, &m_roads.EndProgram,
                       &m_roads.CancelProgram}) {
        if (!*road)
            *road = [] {};
    }
    if (!m_roads.OpenAutoExecuteConsole)
        m_roads.OpenAutoExecuteConsole = [](bool) { return false; };

    setObjectName(QStringLiteral("frmLogon"));
    setWindowTitle(QStringLiteral("Nevix"));
    m_txtPartyCode->setObjectName(QStringLiteral("txtPartyCode"));
    m_txtPassword->setObjectName(QStringLiteral("txtPassword"));
    m_chkShowPassword->setObjectName(QStringLiteral("chkShowPassword"));
    m_lblShowPassword->setObjectName(QStringLiteral("lblShowPassword"));
    m_lblVersion->setObjectName(QStringLiteral("lblVersion"));
    m_cmdOK->setObjectName(QStringLiteral("cmdOK"));
    m_cmdCancel->setObjectName(QStringLiteral("cmdCancel"));
    m_txtPassword->setEchoMode(QLineEdit::Password);
    m_cmdOK->setDefault(true);

    auto* picture = new QLabel(QStringLiteral("NEVIX"), this);
    picture->setAlignment(Qt::AlignCenter);
    picture->setMinimumHeight(60);
    picture->setStyleSheet(QStringLiteral(
        "QLabel { background: #1f3d73; color: white; font-size: 24pt; font-weight: bold; }"));

    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("Your USER NAME"), m_txtPartyCode);
    form->addRow(QStringLiteral("Your PASSWORD"), m_txtPassword);
    auto* show = new QHBoxLayout;
    show->addWidget(m_chkShowPassword);
    show->addWidget(m_lblShowPassword);
    show->addStretch();
    form->addRow(QString(), show);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_cmdOK);
    buttons->addWidget(m_cmdCancel);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(picture);
    layout->addLayout(form);
    layout->addWidget(m_lblVersion);
    layout->addLayout(buttons);

    connect(m_cmdOK, &QPushButton::clicked, this, &frmLogon::cmdOK_Click);
    connect(m_cmdCancel, &QPushButton::clicked, this, &frmLogon::cmdCancel_Click);
    connect(m_chkShowPassword, &QCheckBox::clicked, this, &frmLogon::ToggleShowPassword);
    m_lblShowPassword->installEventFilter(this);
    HighlightTextOnFocus(*m_txtPartyCode);
    HighlightTextOnFocus(*m_txtPassword);
}

bool frmLogon::TryLogon(const QString& userName, const QString& password)
{
    m_cmdOK->setEnabled(false);
    PreservePointer pointer;
    pointer.SetHourGlass(this);
    try {
        auto user = std::make_shared<User>();
        user->SetDataSource(&m_db);
        user->LoadByUserNameAndPassword(userName, password);
        if (!user->IsNew() && user->Enabled()) {
            SetCurrentUser(user);
            return true;
        }
    } catch (const NevixError& e) {
        TellUserWarning(QStringLiteral("Error logging on"), e.Description());
    }
    m_cmdOK->setEnabled(true);
    return false;
}

void frmLogon::InitialiseForm()
{
    try {
        Initialise();
    } catch (const NevixError& e) {
        TellUserCritical(QStringLiteral("Error loading logon form"), e.Description());
        Unload();
        m_roads.EndProgram();
    }
}

void frmLogon::Initialise()
{
    m_lblVersion->setText(VersionCaption());
    SetCurrentUser(nullptr);

    SysParameters parameters;
    parameters.SetDataSource(&m_db);
    parameters.Load();
    UserGroup administrators;
    administrators.SetDataSource(&m_db);
    administrators.LoadByName(GroupNames::Administrators);
    const auto admins = administrators.Users(true);

    ApplicationSettings& settings = Settings();
    if (parameters.IsSetupComplete()) {
        settings.SetProgramRunningMode(RunningMode::Interactive);
        if (settings.IsInAutoExecuteMode() || settings.IsInAutoExecuteModeImmediateExecute()) {
            if (settings.ProgramInstallMode() == InstallMode::Client) {
                TellUser(QStringLiteral("You cannot run the program in AUTO mode because this install is a client"),
                         QString(), MsgBox::Information);
                Unload();
                m_roads.EndProgram();
                return;
            }
            settings.SetProgramRunningMode(RunningMode::Automatic);
            if (settings.BypassLogonSecurity()) {
                if (TryLogon(DatabaseSchema::AutoExecuteUserName,
                             DatabaseSchema::AutoExecutePassword())) {
                    const bool opened = m_roads.OpenAutoExecuteConsole(
                        settings.IsInAutoExecuteModeImmediateExecute());
                    Unload();
                    if (!opened)
                        m_roads.EndProgram();
                } else {
                    TellUserCritical(QStringLiteral("Could not log on as system admin to run autoexecute:"),
                                     QString());
                    Unload();
                    m_roads.EndProgram();
                }
                return;
            }
        }
        m_attempts = 0;
        return;
    }

    if (admins->Count() > 0) {
        settings.SetProgramRunningMode(RunningMode::Setup);
        const auto first = admins->Item(1);
        if (TryLogon(first->UserName(), first->Password())) {
            m_roads.OpenSetupWizard();
            Unload();
        } else {
            TellUserCritical(QStringLiteral("Could not log on to perform setup changes"), QString());
            Unload();
            m_roads.EndProgram();
        }
        return;
    }
    TellUserCritical(QStringLiteral("Unable to load Admin user for setup"), QString());
    Unload();
    m_roads.EndProgram();
}

void frmLogon::cmdOK_Click()
{
    m_txtPartyCode->setText(m_txtPartyCode->text().trimmed());
    m_txtPassword->setText(m_txtPassword->text().trimmed());
    const QString userName = m_txtPartyCode->text();
    const QString password = m_txtPassword->text();
    if (userName.isEmpty()) {
        TellUser(QStringLiteral("You must enter a User Name."), QString(), MsgBox::Information);
        m_txtPartyCode->setFocus();
        return;
    }
    if (password.isEmpty()) {
        TellUser(QStringLiteral("You must enter the logon password for '") + userName +
                     QStringLiteral("'."),
                 QString(), MsgBox::Information);
        m_txtPassword->setFocus();
        return;
    }
    ++m_attempts;
    // The unattended user's password is published: it logs on only by
    // itself, for unattended runs.
    const bool unattendedUser =
        userName.compare(DatabaseSchema::AutoExecuteUserName, Qt::CaseInsensitive) == 0;
    if (!unattendedUser && TryLogon(userName, password)) {
        AfterGoodLogon();
        return;
    }
    if (m_attempts < 3) {
        TellUser(QStringLiteral("The User Name or Password you entered is incorrect."), QString(),
                 MsgBox::Information);
        return;
    }
    TellUserCritical(QStringLiteral("You have tried to logon ") + QString::number(m_attempts) +
                         QStringLiteral(" times unsuccessfully."),
                     QString());
    cmdCancel_Click();
}

void frmLogon::AfterGoodLogon()
{
    const auto user = GetCurrentUser();
    if (Settings().ProgramRunningMode() != RunningMode::Automatic) {
        if (PasswordChangedIfNeeded()) {
            m_roads.OpenMainMenu();
            Unload();
        } else {
            Unload();
            m_roads.EndProgram();
        }
        return;
    }
    if (!user->IsAdminUser()) {
        TellUser(QStringLiteral("You are not an Admin user on the system."),
                 QStringLiteral("To run in auto execute mode, you should be an Admin user and have "
                                "access to all enquirers.\r\nNevix will shut down."),
                 MsgBox::Information);
        Unload();
        m_roads.EndProgram();
        return;
    }
    const bool opened =
        m_roads.OpenAutoExecuteConsole(Settings().IsInAutoExecuteModeImmediateExecute());
    Unload();
    if (!opened)
        m_roads.EndProgram();
}

bool frmLogon::PasswordChangedIfNeeded()
{
    const auto user = GetCurrentUser();
    if (ValidateNevixPassword(user->Password()).isEmpty())
        return true;
    frmChangePassword change(*user, this);
    change.InitialiseForm();
    change.lblChangePWRulesMessage1()->setVisible(true);
    change.lblChangePWRulesMessage2()->setVisible(true);
    change.exec();
    return ValidateNevixPassword(user->Password()).isEmpty();
}

void frmLogon::cmdCancel_Click()
{
    Unload();
    m_roads.CancelProgram();
}

void frmLogon::reject()
{
    cmdCancel_Click();
}

void frmLogon::Unload()
{
    if (!m_loaded)
        return;
    m_loaded = false;
    hide();
    emit Unloaded();
    if (testAttribute(Qt::WA_DeleteOnClose))
        deleteLater();
}

void frmLogon::closeEvent(QCloseEvent* event)
{
    // The title bar's close is the Cancel button.
    if (m_loaded) {
        event->ignore();
        cmdCancel_Click();
        return;
    }
    event->accept();
}

void frmLogon::ToggleShowPassword()
{
    const bool hidden = m_txtPassword->echoMode() == QLineEdit::Password;
    m_txtPassword->setEchoMode(hidden ? QLineEdit::Normal : QLineEdit::Password);
}

bool frmLogon::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_lblShowPassword && event->type() == QEvent::MouseButtonRelease) {
        m_chkShowPassword->click();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}
