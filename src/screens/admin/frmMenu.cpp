#include "screens/admin/frmMenu.h"

#include "accounts/CurrentUser.h"
#include "accounts/User.h"
#include "accounts/Users.h"
#include "core/ApplicationSettings.h"
#include "core/AskTellUser.h"
#include "core/PreservePointer.h"
#include "core/qt/CentreForm.h"
#include "database/CDataBase.h"
#include "database/CommsLock.h"
#include "database/LogLines.h"
#include "help/HHelper.h"
#include "maintenance/DatabaseRoutines.h"
#include "platform/NevixError.h"
#include "platform/UserInteraction.h"
#include "screens/admin/MenuGates.h"
#include "screens/admin/MenuPictures.h"
#include "screens/admin/frmChangePassword.h"
#include "screens/admin/frmSplash.h"
#include "screens/common/HelpButton.h"
#include "screens/common/InitialisableForm.h"
#include "screens/transmission/ShowTransmissionLog.h"
#include "screens/common/UnloadAllForms.h"
#include "screens/transmission/frmShutDownMode.h"
#include "service/frmHTTPComms.h"

#include <QCloseEvent>
#include <QDialog>
#include <QEventLoopLocker>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include <memory>

namespace {
const QString Welcome[] = {QStringLiteral("Welcome"), QStringLiteral("NEVIX"),
                           QStringLiteral(", please select an option."), QString(),
                           QStringLiteral(" to ")};

// A button's caption as read: access-key marks gone, "&&" a plain "&".
QString PlainCaption(const QString& caption)
{
    QString text = caption;
    text.replace(QStringLiteral("&&"), QStringLiteral("\x01"));
    text.remove(u'&');
    text.replace(u'\x01', u'&');
    return text;
}

QLabel* Picture(QWidget* owner, const char* name, const QPixmap& pixmap)
{
    auto* label = new QLabel(owner);
    label->setObjectName(QLatin1String(name));
    label->setPixmap(pixmap);
    label->setFixedSize(pixmap.size());
    return label;
}

std::shared_ptr<User> RequireUser()
{
    auto user = GetCurrentUser();
    if (!user)
        throw NevixError(ErrorNumbers::ObjectErrorBase, QStringLiteral("No user is logged on"));
    return user;
}

} // namespace

frmMenu::frmMenu(CDataBase& database, FormRegistry screens, MenuRoads roads, QWidget* parent)
    : QWidget(parent), m_db(database), m_screens(std::move(screens)), m_roads(std::move(roads)),
      m_cmdEnq(new QPushButton(QStringLiteral("Vehicle &Enquiries"), this)),
      m_cmdResp(new QPushButton(QStringLiteral("DVLA &Responses"), this)),
      m_cmdDebit(new QPushButton(QStringLiteral("Debit &Statements"), this)),
      m_cmdSend(new QPushButton(QStringLiteral("Se&nd && Receive"), this)),
      m_cmdStatus(new QPushButton(QStringLiteral("Transmission &Log"), this)),
      m_cmdMaint(new QPushButton(QStringLiteral("A&dmin Functions"), this)),
      m_cmdHelp(new QPushButton(QStringLiteral("&Help"), this)),
      m_cmdAbout(new QPushButton(QStringLiteral("&About this program"), this)),
      m_cmdExit(new QPushButton(QStringLiteral("E&xit"), this)),
      m_cmdChangePassword(new QPushButton(QStringLiteral("&Change password"), this)),
      m_cmdMoreInformation(new QPushButton(QStringLiteral("M&ore Information"), this)),
      m_lblTestMode(new QLabel(QStringLiteral("THE PROGRAM IS IN TEST MODE"), this))
{
    for (auto& road : {&m_roads.OpenLogon, &m_roads.EndProgram}) {
        if (!*road)
            *road = [] {};
    }
    setObjectName(QStringLiteral("frmMenu"));
    setWindowTitle(QStringLiteral("NEVIX - MAIN MENU"));
    setWindowIcon(DrawMenuIcon());

    const std::pair<QPushButton*, const char*> names[] = {
        {m_cmdEnq, "cmdEnq"},         {m_cmdResp, "cmdResp"},
        {m_cmdDebit, "cmdDebit"},     {m_cmdSend, "cmdSend"},
        {m_cmdStatus, "cmdStatus"},   {m_cmdMaint, "cmdMaint"},
        {m_cmdHelp, "cmdHelp"},       {m_cmdAbout, "cmdAbout"},
        {m_cmdExit, "cmdExit"},       {m_cmdChangePassword, "cmdChangePassword"},
        {m_cmdMoreInformation, "cmdMoreInformation"}};
    for (const auto& [button, name] : names) {
        button->setObjectName(QLatin1String(name));
        button->setMinimumWidth(170);
    }
    m_lblTestMode->setObjectName(QStringLiteral("lblTestMode"));
    m_lblTestMode->setStyleSheet(QStringLiteral("QLabel { color: #b00000; font-weight: bold; }"));
    m_lblTestMode->setVisible(false);

    const QPixmap debits = DrawMenuPicture(MenuPicture::Debits);
    const QPixmap send = DrawMenuPicture(MenuPicture::SendReceive);
    const QPixmap log = DrawMenuPicture(MenuPicture::Log);
    const QPixmap admin = DrawMenuPicture(MenuPicture::Admin);
    m_imgEnq = Picture(this, "imgEnq", DrawMenuPicture(MenuPicture::Enquiries));
    m_imgResp = Picture(this, "imgResp", DrawMenuPicture(MenuPicture::Responses));
    m_imgDeb = Picture(this, "imgDeb", debits);
    m_imgDebDisabled = Picture(this, "imgDebDisabled", GreyTwin(debits));
    m_imgSendRec = Picture(this, "imgSendRec", send);
    m_imgSendRecDisabled = Picture(this, "imgSendRecDisabled", GreyTwin(send));
    m_imgLog = Picture(this, "imgLog", log);
    m_imgLogDisabled = Picture(this, "imgLogDisabled", GreyTwin(log));
    m_imgAdmin = Picture(this, "imgAdmin", admin);
    m_imgAdminDisabled = Picture(this, "imgAdminDisabled", GreyTwin(admin));
    // A hidden picture keeps its place, so the twins always share one.
    for (QLabel* picture : {m_imgDeb, m_imgDebDisabled, m_imgSendRec, m_imgSendRecDisabled, m_imgLog,
                            m_imgLogDisabled, m_imgAdmin, m_imgAdminDisabled}) {
        QSizePolicy policy = picture->sizePolicy();
        policy.setRetainSizeWhenHidden(true);
        picture->setSizePolicy(policy);
    }
    for (QLabel* grey : {m_imgDebDisabled, m_imgSendRecDisabled, m_imgLogDisabled, m_imgAdminDisabled})
        grey->setVisible(false);

    // The welcome line reads 0, 3, 4, 1, 2, each part starting where the
    // one before it ends.
    auto* welcome = new QHBoxLayout;
    welcome->setSpacing(0);
    for (int i = 0; i < int(m_lblWelcome.size()); ++i) {
        m_lblWelcome[i] = new QLabel(Welcome[i], this);
        m_lblWelcome[i]->setObjectName(QStringLiteral("lblWelcome%1").arg(i));
    }
    welcome->addWidget(m_lblWelcome[0]);
    welcome->addSpacing(m_lblWelcome[0]->fontMetrics().horizontalAdvance(u' '));
    for (int i : {3, 4, 1, 2})
        welcome->addWidget(m_lblWelcome[i]);
    welcome->addStretch();

    // Each grey picture shares its coloured twin's cell: exactly over it.
    auto* pictured = new QGridLayout;
    const std::tuple<QLabel*, QLabel*, QPushButton*> rows[] = {
        {m_imgEnq, nullptr, m_cmdEnq},          {m_imgResp, nullptr, m_cmdResp},
        {m_imgDeb, m_imgDebDisabled, m_cmdDebit}, {m_imgSendRec, m_imgSendRecDisabled, m_cmdSend},
        {m_imgLog, m_imgLogDisabled, m_cmdStatus}, {m_imgAdmin, m_imgAdminDisabled, m_cmdMaint}};
    int row = 0;
    for (const auto& [picture, grey, button] : rows) {
        pictured->addWidget(picture, row, 0);
        if (grey)
            pictured->addWidget(grey, row, 0);
        pictured->addWidget(button, row, 1);
        ++row;
    }
    auto* others = new QVBoxLayout;
    for (QPushButton* button :
         {m_cmdHelp, m_cmdAbout, m_cmdChangePassword, m_cmdMoreInformation, m_cmdExit})
        others->addWidget(button);
    others->addStretch();
    auto* columns = new QHBoxLayout;
    columns->addLayout(pictured);
    columns->addSpacing(24);
    columns->addLayout(others);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(welcome);
    layout->addWidget(m_lblTestMode);
    layout->addSpacing(8);
    layout->addLayout(columns);

    connect(m_cmdEnq, &QPushButton::clicked, this, &frmMenu::cmdEnq_Click);
    connect(m_cmdResp, &QPushButton::clicked, this, &frmMenu::cmdResp_Click);
    connect(m_cmdDebit, &QPushButton::clicked, this, &frmMenu::cmdDebit_Click);
    connect(m_cmdSend, &QPushButton::clicked, this, &frmMenu::cmdSend_Click);
    connect(m_cmdStatus, &QPushButton::clicked, this, &frmMenu::cmdStatus_Click);
    connect(m_cmdMaint, &QPushButton::clicked, this, &frmMenu::cmdMaint_Click);
    connect(m_cmdHelp, &QPushButton::clicked, this, &frmMenu::cmdHelp_Click);
    connect(m_cmdAbout, &QPushButton::clicked, this, &frmMenu::cmdAbout_Click);
    connect(m_cmdExit, &QPushButton::clicked, this, &frmMenu::cmdExit_Click);
    connect(m_cmdChangePassword, &QPushButton::clicked, this, &frmMenu::cmdChangePassword_Click);
    connect(m_cmdMoreInformation, &QPushButton::clicked, this, &frmMenu::cmdMoreInformation_Click);
}

frmMenu::~frmMenu()
{
    // The screens it owns go with it; none of them may show it again.
    for (const auto& connection : m_screenConnections)
        disconnect(connection);
    Unload();
}

void frmMenu::InitialiseForm()
{
    const auto user = GetCurrentUser();
    m_lblWelcome[3]->setText(user ? user->UserName() : QString());
    const MenuGates gates =
        MenuGatesFor(user ? user->Roles() : QString(), Settings().ProgramInstallMode());
    SetButtonState(m_cmdMaint, m_imgAdmin, m_imgAdminDisabled, gates.Admin);
    SetButtonState(m_cmdSend, m_imgSendRec, m_imgSendRecDisabled, gates.Send);
    SetButtonState(m_cmdDebit, m_imgDeb, m_imgDebDisabled, gates.Debit);
    Form_Activate();
    adjustSize();
    CentreForm(*this);
    HideHelpButton(*this, MenuHelpTopic);
}

void frmMenu::SetButtonState(QPushButton* button, QLabel* picture, QLabel* greyPicture, bool enabled)
{
    button->setEnabled(enabled);
    picture->setVisible(enabled);
    greyPicture->setVisible(!enabled);
}

void frmMenu::Form_Activate()
{
    m_lblTestMode->setVisible(Settings().RunInTestMode());
    const auto user = GetCurrentUser();
    m_cmdChangePassword->setVisible(user && user->CanChangePassword());
}

bool frmMenu::event(QEvent* event)
{
    if (event->type() == QEvent::WindowActivate)
        Form_Activate();
    return QWidget::event(event);
}

void frmMenu::keyPressEvent(QKeyEvent* event)
{
    // F1 wherever the focus is: the buttons pass it on to the window.
    if (event->key() == Qt::Key_F1) {
        cmdHelp_Click();
        return;
    }
    QWidget::keyPressEvent(event);
}

bool frmMenu::ShowForm(const QString& name, bool modal, QPushButton* button)
{
    const QString caption = PlainCaption(button->text());
    if (!m_screens.Contains(name)) {
        TellUser(caption + QStringLiteral(" is not available in this version."), QString(),
                 MsgBox::Information);
        return false;
    }
    std::unique_ptr<QWidget> window;
    try {
        window = m_screens.Create(name);
        auto* form = dynamic_cast<InitialisableForm*>(window.get());
        if (!form)
            throw NevixError(ErrorNumbers::ObjectErrorBase,
                             QStringLiteral("The window has no InitialiseForm"));
        window->setParent(this, window->windowFlags() | Qt::Window);
        window->setWindowIcon(windowIcon());
        form->InitialiseForm();
    } catch (const NevixError& e) {
        const QString title = window ? window->windowTitle() : caption;
        TellUserCritical(QStringLiteral("Error opening ") + title + QStringLiteral(" (") + name +
                             QStringLiteral(")"),
                         e.Description());
        return false;
    }
    if (modal) {
        if (auto* dialog = qobject_cast<QDialog*>(window.get())) {
            dialog->exec();
            return true;
        }
        window->setWindowModality(Qt::ApplicationModal);
    }
    QWidget* shown = window.release();
    shown->setAttribute(Qt::WA_DeleteOnClose);
    // Over the menu, where the user is looking (a dialog is put there by Qt).
    if (!shown->testAttribute(Qt::WA_Moved))
        CentreOver(*shown, this);
    if (!modal) {
        // The menu hides itself under a screen it owns: the program still
        // runs while the screen is open, though no window of its own is
        // shown (else closing any message would end it).
        auto running = std::make_shared<QEventLoopLocker>();
        m_screenConnections.append(connect(shown, &QObject::destroyed, this, [this, running]() mutable {
            ScreenClosed();
            running.reset();
        }));
    }
    shown->show();
    if (!modal)
        hide();
    return true;
}

void frmMenu::ScreenClosed()
{
    if (!m_loaded)
        return;
    show();
    raise();
    activateWindow();
}

void frmMenu::WarnOfOldRecords(bool enquiries)
{
    const auto user = GetCurrentUser();
    if (!user || !MenuGatesFor(user->Roles(), InstallMode::None).Admin)
        return;
    const int32_t count = enquiries ? CountOldEnquiries(m_db) : CountOldResponses(m_db);
    if (count <= 500)
        return;
    const QString text = enquiries ? QStringLiteral("There are ") + QString::number(count) +
                                         QStringLiteral(" Enquiries in the sytem that could be cleared")
                                   : QStringLiteral("There are ") + QString::number(count) +
                                         QStringLiteral(" Responses in the system that could be cleared.");
    TellUser(text, QStringLiteral("You should consider running the maintentance"), MsgBox::Information);
}

void frmMenu::OpenRecordScreen(bool enquiries)
{
    PreservePointer pointer;
    pointer.SetHourGlass(this);
    try {
        WarnOfOldRecords(enquiries);
        ShowForm(enquiries ? MenuScreens::Enquiries : MenuScreens::Responses, false,
                 enquiries ? m_cmdEnq : m_cmdResp);
    } catch (const NevixError& e) {
        TellUserCritical(enquiries ? QStringLiteral("Error opening Enquiry form.")
                                   : QStringLiteral("Could not start Response editing because:"),
                         e.Description());
    }
}

void frmMenu::cmdEnq_Click()
{
    OpenRecordScreen(true);
}

void frmMenu::cmdResp_Click()
{
    OpenRecordScreen(false);
}

void frmMenu::cmdDebit_Click()
{
    try {
        const auto user = RequireUser();
        // The roles may have changed since the window opened.
        if (!MenuGatesFor(user->Roles(), InstallMode::None).Debit)
            return;
        ShowForm(MenuScreens::Debits, false, m_cmdDebit);
    } catch (const NevixError& e) {
        TellUserCritical(QStringLiteral("Error opening Debit Statement form."), e.Description());
    }
}

void frmMenu::cmdSend_Click()
{
    ShowForm(MenuScreens::SendReceive, false, m_cmdSend);
}

void frmMenu::cmdStatus_Click()
{
    if (m_screens.Contains(MenuScreens::Log)) {
        ShowForm(MenuScreens::Log, true, m_cmdStatus);
        return;
    }
    ShowTransmissionLog(this, nullptr);
}

void frmMenu::cmdMaint_Click()
{
    QString userName;
    CommsLock lock;
    try {
        userName = RequireUser()->UserName();
        lock.AquireAdminLock(userName, &m_db);
    } catch (const NevixError& e) {
        if (e.Number() == ErrorNumbers::LockNotAcquired)
            TellUser(QStringLiteral("Admin functions are currently being used by ") + lock.LockedBy() +
                         QStringLiteral(" on ") + lock.ComputerName(),
                     QString(), MsgBox::Information);
        else
            TellUserWarning(QStringLiteral("Could not aquire Admin lock because:"), e.Description());
        return;
    }
    // The parameters screen releases the lock when it closes; a screen
    // that never opened cannot, so the lock is not left held.
    if (!ShowForm(MenuScreens::Parameters, false, m_cmdMaint))
        lock.ReleaseAdminLock(userName, &m_db);
}

void frmMenu::cmdHelp_Click()
{
    ShowHelpTopic(MenuHelpTopic);
}

void frmMenu::cmdAbout_Click()
{
    try {
        frmSplash about({}, this);
        about.SetIsAboutBox(true);
        about.setWindowIcon(windowIcon());
        about.exec();
    } catch (const NevixError& e) {
        TellUserCritical(QStringLiteral("Error opening About form."), e.Description());
    }
}

void frmMenu::cmdExit_Click()
{
    QueryShutDown();
}

void frmMenu::cmdChangePassword_Click()
{
    try {
        const auto user = RequireUser();
        frmChangePassword change(*user, this);
        change.setWindowIcon(windowIcon());
        change.InitialiseForm();
        change.exec();
    } catch (const NevixError& e) {
        TellUserCritical(QStringLiteral("Error opening Change Password (frmChangePassword)"),
                         e.Description());
    }
}

void frmMenu::cmdMoreInformation_Click()
{
    ShowForm(MenuScreens::Information, false, m_cmdMoreInformation);
}

int32_t frmMenu::QueryShutDown()
{
    try {
        if (m_db.ConnectionWaiting()) {
            TellUser(QStringLiteral("There is a database action pending.  Please click the Ok button"),
                     QStringLiteral("and wait a minute or two before trying again."), MsgBox::OkOnly);
            return 0;
        }
        if (m_db.ConnectionFailures() > 0) {
            UnloadAllForms();
            return 0;
        }
        Users users;
        users.SetDataSource(&m_db);
        users.Load();
        int32_t mode = frmShutDownMode::Cancelled;
        {
            frmShutDownMode dialog(this);
            dialog.InitialiseForm(users.Count() > 2, Settings().CameFromAutoExecute());
            dialog.exec();
            mode = dialog.ShutDownMode();
        }
        switch (mode) {
        case frmShutDownMode::ShutDown:
            Unload();
            m_roads.EndProgram();
            return mode;
        case frmShutDownMode::LogOff:
            m_roads.OpenLogon();
            Unload();
            return mode;
        case frmShutDownMode::ReturnToAutoExecute:
            Settings().SetCameFromAutoExecute(false);
            Settings().SetIsInAutoExecuteMode(true);
            m_roads.OpenLogon();
            Unload();
            return mode;
        default:
            return 0;
        }
    } catch (const NevixError& e) {
        TellUserCritical(QStringLiteral("Error shutting down"), e.Description());
        UnloadAllForms();
        return 0;
    }
}

void frmMenu::closeEvent(QCloseEvent* event)
{
    // Only the user's close is questioned; the program's closes go ahead.
    if (m_loaded && !IsUnloading(*this)) {
        event->ignore();
        QueryShutDown();
        return;
    }
    event->accept();
    Unload();
}

void frmMenu::Unload()
{
    if (!m_loaded)
        return;
    m_loaded = false;
    MarkUnloading(*this);
    hide();
    UnloadHTTPCommsForm();
    ReleaseHelp();
    emit Unloaded();
    if (testAttribute(Qt::WA_DeleteOnClose))
        deleteLater();
}
