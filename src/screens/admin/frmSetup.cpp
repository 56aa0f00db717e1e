#include "screens/admin/frmSetup.h"

#include "core/qt/FormWidgets.h"
#include "screens/admin/SetupWizard.h"
#include "screens/admin/frmEditUser.h"
#include "screens/common/ScreenHelpers.h"
#include "screens/common/UnloadAllForms.h"
#include "screens/common/WrappedOption.h"
#include "service/frmHTTPComms.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QTimer>
#include <QVBoxLayout>

#include <utility>

namespace {
const char* const StepTitles[] = {"Introduction", "Connect to NEVIX Service", "Enquirers", "Add Users", "Finish"};

QLabel* Text(const QString& text, QWidget* parent, const QString& name = QString())
{
    auto* label = new QLabel(text, parent);
    label->setObjectName(name);
    label->setWordWrap(true);
    return label;
}

QLabel* Heading(const QString& text, QWidget* parent)
{
    QLabel* label = Text(text, parent);
    QFont font = label->font();
    font.setBold(true);
    label->setFont(font);
    return label;
}

QPushButton* Button(const QString& name, const QString& text, QWidget* parent)
{
    auto* button = new QPushButton(text, parent);
    button->setObjectName(name);
    return button;
}

QLineEdit* TextBox(const QString& name, int maxLength, QWidget* parent)
{
    auto* box = new QLineEdit(parent);
    box->setObjectName(name);
    box->setMaxLength(maxLength);
    return box;
}

QWidget* StepFrame(int index, QWidget* parent)
{
    auto* frame = new QWidget(parent);
    frame->setObjectName(QStringLiteral("fraStepFrame%1").arg(index));
    return frame;
}

} // namespace

frmSetup::frmSetup(CDataBase& database, UserEditor editUser, SetupRoads roads, QWidget* parent)
    : QDialog(parent), m_roads(std::move(roads))
{
    for (auto* road : {&m_roads.OpenMainMenu, &m_roads.EndProgram}) {
        if (!*road)
            *road = [] {};
    }
    setObjectName(QStringLiteral("frmSetup"));
    setWindowTitle(QStringLiteral("NEVIX - SETUP"));

    auto* steps = new QVBoxLayout;
    for (int i = 0; i <= SetupWizard::LastStep; ++i) {
        QLabel* title = Heading(QLatin1String(StepTitles[i]), this);
        title->setObjectName(QStringLiteral("lblProgress%1").arg(i));
        title->setEnabled(i == 0);
        m_lblProgress[size_t(i)] = title;
        steps->addWidget(title);
    }
    steps->addStretch();

    // Every step in the same cell: one place, the shown one in it.
    auto* place = new QGridLayout;
    m_fraStepFrame = {IntroductionStep(), ServiceStep(), EnquirersStep(), UsersStep(), FinishStep()};
    for (QWidget* frame : m_fraStepFrame)
        place->addWidget(frame, 0, 0);
    m_lstCommsProgress = new QListWidget(this);
    m_lstCommsProgress->setObjectName(QStringLiteral("lstCommsProgress"));
    m_lstCommsProgress->setMinimumHeight(120);
    m_lstCommsProgress->hide();
    place->addWidget(m_lstCommsProgress, 1, 0);
    place->setRowStretch(0, 1);

    m_cmdBack = Button(QStringLiteral("cmdBack"), QStringLiteral("&Back"), this);
    m_cmdBack->hide();
    m_cmdNextFinsh = Button(QStringLiteral("cmdNextFinsh"), QStringLiteral("&Next"), this);
    m_cmdNextFinsh->setDefault(true);
    m_cmdCancel = Button(QStringLiteral("cmdCancel"), QStringLiteral("&Cancel"), this);
    m_cmdHelp = Button(QStringLiteral("cmdHelp"), QStringLiteral("&Help"), this);
    m_tmrForCapsLocck = new QTimer(this);
    m_tmrForCapsLocck->setObjectName(QStringLiteral("tmrForCapsLocck"));
    m_tmrForCapsLocck->setInterval(100);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    for (QPushButton* button : {m_cmdBack, m_cmdNextFinsh, m_cmdCancel, m_cmdHelp})
        buttons->addWidget(button);

    auto* body = new QHBoxLayout;
    body->addLayout(steps);
    body->addSpacing(12);
    body->addLayout(place, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(body, 1);
    layout->addLayout(buttons);
    resize(780, 520);

    m_wizard = std::make_unique<SetupWizard>(*this, database, editUser ? std::move(editUser) : EditUserInWindow);
    ConnectControls();
}

frmSetup::~frmSetup()
{
    Unload();
}

QWidget* frmSetup::frmEnqFolders() const
{
    return m_frmEnqFolders;
}

QWidget* frmSetup::IntroductionStep()
{
    QWidget* frame = StepFrame(0, this);
    auto* layout = new QVBoxLayout(frame);
    layout->addWidget(Heading(QStringLiteral("Welcome to the NEVIX setup"), frame));
    layout->addWidget(Text(QStringLiteral("This wizard will take you through the steps that are necessary to "
                                          "install the client to the NEVIX service."),
                           frame));
    const std::pair<const char*, QString> parts[] = {
        {"Connect to the NEVIX service",
         QStringLiteral("You are required to enter the allocated Party ID and Party Password for your connection "
                        "to the NEVIX Service. We will have communicated these to you as part of the NEVIX "
                        "sign-up process. Please have this information to hand.")},
        {"Add Enquirer Defaults",
         QStringLiteral("You will have been allocated an Enquirer identification and Enquiry Reasons by the DVLA.  "
                        "These are known to the NEVIX service.  In this step, you confirm the Enquirer and set "
                        "default reasons and import/export folders.")},
        {"Add Users",
         QStringLiteral("NEVIX comes with an Admin user already installed.  You may add other users with different "
                        "types of access, or you can change the password of the installed Admin user "
                        "(recommended).")},
        {"Finish", QStringLiteral("You will add your company name, specify how this program is configured and then "
                                  "end this setup.")},
    };
    for (const auto& [heading, text] : parts) {
        layout->addSpacing(6);
        layout->addWidget(Heading(QLatin1String(heading), frame));
        layout->addWidget(Text(text, frame));
    }
    layout->addSpacing(6);
    layout->addWidget(Text(QStringLiteral("You may cancel the setup at any time by clicking the cancel button."),
                           frame));
    layout->addStretch();
    return frame;
}

QWidget* frmSetup::ServiceStep()
{
    QWidget* frame = StepFrame(1, this);
    m_txtIEUserID = TextBox(QStringLiteral("txtIEUserID"), 40, frame);
    m_txtIEPassword = TextBox(QStringLiteral("txtIEPassword"), 15, frame);
    m_txtIEPassword->setEchoMode(QLineEdit::Password);
    m_chkShowPassword = new QCheckBox(QStringLiteral("Show password"), frame);
    m_chkShowPassword->setObjectName(QStringLiteral("chkShowPassword"));
    m_lblNeviUsernameRules = Text(QString(), frame, QStringLiteral("lblNeviUsernameRules"));
    m_lblPasswordRule = Text(QString(), frame, QStringLiteral("lblPasswordRule"));
    m_lblCapsLockOn = Text(QStringLiteral("CAPS Lock is ON"), frame, QStringLiteral("lblCapsLockOn"));
    m_lblCapsLockOn->hide();
    m_imgCapLockOn = new QLabel(frame);
    m_imgCapLockOn->setObjectName(QStringLiteral("imgCapLockOn"));
    m_imgCapLockOn->setPixmap(style()->standardIcon(QStyle::SP_MessageBoxWarning).pixmap(20, 20));
    m_imgCapLockOn->hide();
    m_cmdShowLog = Button(QStringLiteral("cmdShowLog"), QStringLiteral("Show Log"), frame);
    m_cmdShowLog->hide();

    auto* layout = new QVBoxLayout(frame);
    layout->addWidget(
        Text(QStringLiteral("The NEVIX Service account user name and password. These are case sensitive."), frame));
    auto* account = new QFormLayout;
    account->addRow(QStringLiteral("User name"), m_txtIEUserID);
    account->addRow(QStringLiteral("Password"), m_txtIEPassword);
    auto* capsLock = new QHBoxLayout;
    capsLock->addWidget(m_chkShowPassword);
    capsLock->addStretch();
    capsLock->addWidget(m_imgCapLockOn);
    capsLock->addWidget(m_lblCapsLockOn);
    account->addRow(QString(), capsLock);
    layout->addLayout(account);
    layout->addWidget(m_lblNeviUsernameRules);
    layout->addWidget(m_lblPasswordRule);
    layout->addStretch();
    layout->addWidget(m_cmdShowLog, 0, Qt::AlignRight);
    return frame;
}

QWidget* frmSetup::EnquirersStep()
{
    QWidget* frame = StepFrame(2, this);
    m_cboEnquirer = new QComboBox(frame);
    m_cboEnquirer->setObjectName(QStringLiteral("cboEnquirer"));
    m_lblEnquirerName = Text(QString(), frame, QStringLiteral("lblEnquirerName"));
    m_chkIsDefaultEnquirer = new QCheckBox(QStringLiteral("Is the default"), frame);
    m_chkIsDefaultEnquirer->setObjectName(QStringLiteral("chkIsDefaultEnquirer"));
    m_lblEnquirerId = Text(QString(), frame, QStringLiteral("lblEnquirerId"));
    m_lblIntermediaryId = Text(QString(), frame, QStringLiteral("lblIntermediaryId"));
    m_cboReasonForEnquiry = new QComboBox(frame);
    m_cboReasonForEnquiry->setObjectName(QStringLiteral("cboReasonForEnquiry"));
    m_lblDefaultReason = Text(QString(), frame, QStringLiteral("lblDefaultReason"));

    auto* enquirer = new QHBoxLayout;
    enquirer->addWidget(m_cboEnquirer, 1);
    enquirer->addWidget(m_lblEnquirerName, 1);
    enquirer->addWidget(m_chkIsDefaultEnquirer);
    auto* reason = new QHBoxLayout;
    reason->addWidget(m_cboReasonForEnquiry, 1);
    reason->addWidget(m_lblDefaultReason, 1);
    auto* details = new QFormLayout;
    details->addRow(QStringLiteral("Enquirer"), enquirer);
    details->addRow(QStringLiteral("Enquirer Id"), m_lblEnquirerId);
    details->addRow(QStringLiteral("Intermediary Id"), m_lblIntermediaryId);
    details->addRow(QStringLiteral("Default Reason for Enquiry"), reason);

    m_frmEnqFolders = new QGroupBox(QStringLiteral("Import and Export folders"), frame);
    m_frmEnqFolders->setObjectName(QStringLiteral("frmEnqFolders"));
    auto* folders = new QGridLayout(m_frmEnqFolders);
    const QString captions[2] = {QStringLiteral("Folder from which enquiries for this Enquirer are imported"),
                                 QStringLiteral("Folder to which Responses and Debit Statements are exported")};
    for (int i = 0; i < 2; ++i) {
        m_txtEnqFolder[size_t(i)] = TextBox(QStringLiteral("txtEnqFolder%1").arg(i), 32767, m_frmEnqFolders);
        auto* browse = new QPushButton(m_frmEnqFolders);
        browse->setObjectName(QStringLiteral("cmdBrowse%1").arg(i));
        browse->setIcon(style()->standardIcon(QStyle::SP_DirOpenIcon));
        browse->setToolTip(i == 0 ? QStringLiteral("Enquirer Import Folder") : QStringLiteral("Enquirer Export Folder"));
        m_cmdBrowse[size_t(i)] = browse;
        folders->addWidget(Text(captions[i], m_frmEnqFolders), 2 * i, 0, 1, 2);
        folders->addWidget(m_txtEnqFolder[size_t(i)], 2 * i + 1, 0);
        folders->addWidget(browse, 2 * i + 1, 1);
    }

    auto* layout = new QVBoxLayout(frame);
    layout->addLayout(details);
    layout->addWidget(m_frmEnqFolders);
    layout->addStretch();
    layout->addWidget(Text(QStringLiteral("Enquirer details can be changed later in the Admin Functions"), frame));
    return frame;
}

QWidget* frmSetup::UsersStep()
{
    QWidget* frame = StepFrame(3, this);
    m_lstUsers = new QListWidget(frame);
    m_lstUsers->setObjectName(QStringLiteral("lstUsers"));
    m_cmdAddUser = Button(QStringLiteral("cmdAddUser"), QStringLiteral("Add User"), frame);
    m_cmdEditUser = Button(QStringLiteral("cmdEditUser"), QStringLiteral("Edit User"), frame);
    m_cmdRemoveUser = Button(QStringLiteral("cmdRemoveUser"), QStringLiteral("Delete User"), frame);
    m_lblAddUsersNewInstall =
        Text(QStringLiteral("Setup has installed an Admin user.  We recommend that you edit this user and change its "
                            "password."),
             frame, QStringLiteral("lblAddUsersNewInstall"));
    m_lblAddUsersNewInstall->hide();

    auto* userButtons = new QVBoxLayout;
    for (QPushButton* button : {m_cmdAddUser, m_cmdEditUser, m_cmdRemoveUser})
        userButtons->addWidget(button);
    userButtons->addStretch();
    auto* users = new QHBoxLayout;
    users->addWidget(m_lstUsers, 1);
    users->addLayout(userButtons);

    auto* layout = new QVBoxLayout(frame);
    layout->addWidget(Heading(QStringLiteral("Users"), frame));
    layout->addWidget(Text(QStringLiteral("Users belong to a particular user group, and can act on behalf of certain "
                                          "Enquirers. Access to program functions is restricted based on user "
                                          "group."),
                           frame));
    layout->addLayout(users, 1);
    layout->addWidget(m_lblAddUsersNewInstall);
    return frame;
}

QWidget* frmSetup::FinishStep()
{
    QWidget* frame = StepFrame(4, this);
    m_txtPartyName = TextBox(QStringLiteral("txtPartyName"), 50, frame);
    auto* usage = new QGroupBox(QStringLiteral("How the program will be used"), frame);
    auto* options = new QVBoxLayout(usage);
    m_optInstalMode[0] = AddWrappedOption(
        *options, QStringLiteral("optInstalMode0"),
        QStringLiteral("STANDALONE.  More than one person can use the program but the program will only be "
                       "installed on one computer."),
        usage);
    m_optInstalMode[1] = AddWrappedOption(
        *options, QStringLiteral("optInstalMode1"),
        QStringLiteral("SERVER.  Other programs will share the database.  This installation will be the one that "
                       "communicates with the NEVIX service.  This installation must be done before any CLIENT "
                       "installations."),
        usage);
    m_optInstalMode[0]->setChecked(true);

    auto* name = new QFormLayout;
    name->addRow(QStringLiteral("Company name"), m_txtPartyName);
    auto* layout = new QVBoxLayout(frame);
    layout->addWidget(Text(
        QStringLiteral("The final thing to do is add your company's name and set how the program will be used."),
        frame));
    layout->addLayout(name);
    layout->addWidget(usage);
    layout->addWidget(Heading(QStringLiteral("From now on"), frame));
    layout->addWidget(Text(QStringLiteral("Most of the settings that have now been set can be modified later in the "
                                          "Admin Functions.  The Admin Functions are available from the Admin "
                                          "Functions button on the main menu."),
                           frame));
    layout->addStretch();
    return frame;
}

void frmSetup::ConnectControls()
{
    SetupWizard* wizard = m_wizard.get();
    connect(m_cmdNextFinsh, &QPushButton::clicked, this, &frmSetup::cmdNextFinsh_Click);
    connect(m_cmdBack, &QPushButton::clicked, this, &frmSetup::cmdBack_Click);
    connect(m_cmdCancel, &QPushButton::clicked, this, &frmSetup::cmdCancel_Click);
    connect(m_cmdShowLog, &QPushButton::clicked, wizard, &SetupWizard::ShowLog);
    connect(m_chkShowPassword, &QCheckBox::clicked, wizard, &SetupWizard::ShowPassword);
    connect(m_tmrForCapsLocck, &QTimer::timeout, wizard, &SetupWizard::CapsLockTick);
    connect(m_cboEnquirer, &QComboBox::currentIndexChanged, wizard, &SetupWizard::EnquirerChosen);
    // Only the user's choices change records: filling the controls from
    // code sends neither signal.
    connect(m_cboReasonForEnquiry, &QComboBox::activated, wizard,
            [this, wizard](int index) { wizard->ReasonChosen(m_cboReasonForEnquiry->itemText(index)); });
    connect(m_chkIsDefaultEnquirer, &QCheckBox::clicked, wizard, &SetupWizard::DefaultEnquirerClicked);
    for (int i = 0; i < 2; ++i) {
        connect(m_txtEnqFolder[size_t(i)], &QLineEdit::textEdited, wizard,
                [wizard, i](const QString& text) { wizard->FolderEdited(i, text); });
        connect(m_cmdBrowse[size_t(i)], &QPushButton::clicked, wizard, [wizard, i] { wizard->BrowseFolder(i); });
        m_txtEnqFolder[size_t(i)]->installEventFilter(this);
    }
    connect(m_lstUsers, &QListWidget::itemClicked, wizard, &SetupWizard::EditUser);
    connect(m_cmdAddUser, &QPushButton::clicked, wizard, &SetupWizard::AddUser);
    connect(m_cmdEditUser, &QPushButton::clicked, wizard, &SetupWizard::EditUser);
    connect(m_cmdRemoveUser, &QPushButton::clicked, wizard, &SetupWizard::RemoveUser);
    m_txtIEUserID->installEventFilter(this);
    m_txtIEPassword->installEventFilter(this);
}

void frmSetup::InitialiseForm()
{
    m_wizard->Initialise();
}

void frmSetup::cmdNextFinsh_Click()
{
    const int step = m_wizard->CurrentStep();
    if (step < SetupWizard::LastStep) {
        m_wizard->ChangeStep(step + 1);
        return;
    }
    if (!m_wizard->Finish())
        return;
    Unload();
    m_roads.OpenMainMenu();
}

void frmSetup::cmdBack_Click()
{
    const int step = m_wizard->CurrentStep();
    if (step > 0)
        m_wizard->ChangeStep(step - 1);
}

void frmSetup::cmdCancel_Click()
{
    if (!m_wizard->ConfirmStopSetup())
        return;
    Unload();
    m_roads.EndProgram();
}

void frmSetup::reject()
{
    close();
}

void frmSetup::closeEvent(QCloseEvent* event)
{
    if (!m_loaded || IsUnloading(*this)) {
        event->accept();
        Unload();
        return;
    }
    // Closing under a running exchange would release what it works on.
    event->ignore();
    if (m_wizard->Busy())
        return;
    cmdCancel_Click();
}

bool frmSetup::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::FocusIn) {
        // After the click that gave the focus has placed the caret.
        // The folder boxes select their whole text whatever the setting.
        if (auto* box = qobject_cast<QLineEdit*>(watched)) {
            const bool folder = box == m_txtEnqFolder[0] || box == m_txtEnqFolder[1];
            QTimer::singleShot(0, box, [box, folder] {
                if (folder)
                    SelectTextBoxText(*box, true, false);
                else
                    HighlightTextOnFocus(*box);
            });
        }
    } else if (event->type() == QEvent::FocusOut) {
        // A folder put in by other means than typing (pasted from a menu,
        // dropped) is the enquirer's too once the box is left.
        for (int i = 0; i < 2; ++i) {
            if (watched == m_txtEnqFolder[size_t(i)])
                m_wizard->FolderEdited(i, m_txtEnqFolder[size_t(i)]->text());
        }
    }
    return QDialog::eventFilter(watched, event);
}

void frmSetup::Unload()
{
    if (!m_loaded)
        return;
    m_loaded = false;
    MarkUnloading(*this);
    m_tmrForCapsLocck->stop();
    hide();
    UnloadHTTPCommsForm();
    UnloadMenuIfLoaded();
    emit Unloaded();
    if (testAttribute(Qt::WA_DeleteOnClose))
        deleteLater();
}
