#include "WhenShown.h"

#include "StandInService.h"
#include "SimpleHttpServer.h"

#include "accounts/CurrentUser.h"
#include "accounts/Enquirers.h"
#include "accounts/EnquiryReasons.h"
#include "accounts/User.h"
#include "core/ApplicationSettings.h"
#include "core/INIFile.h"
#include "platform/UserInteraction.h"
#include "database/DatabaseSchema.h"
#include "database/GlobalDatabase.h"
#include "database/LogLines.h"
#include "database/NevixParameters.h"
#include "database/SysParameters.h"
#include "screens/admin/SetupWizard.h"
#include "screens/admin/frmEditUser.h"
#include "screens/admin/frmSetup.h"
#include "screens/common/UnloadAllForms.h"
#include "screens/transmission/frmTransmissionStatus.h"
#include "service/frmHTTPComms.h"
#include "support/DatabaseTest.h"
#include "support/FileBytes.h"
#include "support/ServiceAccount.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTcpServer>
#include <QTimer>

namespace {

const QString UserRule = QStringLiteral(
    "NEVIX Service user names are between 5 and 40 characters and can contain a combination of digits, letters and : -/_#@");
const QString PasswordRule = QStringLiteral(
    "Passwords are case sensitive, between 8 and 15 alphanumerics with at least 1 digit, 1 upper and 1 lower case letter");
const QString ShowLogDetail = QStringLiteral("\rYou can view the full log by clicking the Show Log button.");

// A new delivered database as the program's, its administrator logged on
// as the logon's set-up road does, the stand-in service on loopback, and
// the wizard shown.
class SetupTest : public ::testing::Test {
protected:
    SetupTest()
    {
        QDir().mkpath(world.PathOf(QStringLiteral("script")));
        service.SetRequestObserver([this](const QString& type) {
            received << type;
            if (duringRequest)
                duringRequest(type);
        });
        EXPECT_TRUE(server.Listen());
        const QString file = world.PathOf(QStringLiteral("Nevix.MDB"));
        DatabaseSchema::CreateNewDatabase(file);
        ConnectTo(NewGlobalDatabase(), file);
        UseServiceAt(server.Url(), world.PathOf(QStringLiteral("Nevix.INI")));
        auto admin = std::make_shared<User>();
        admin->SetDataSource(&GlobalDatabase());
        admin->LoadByUserName(QStringLiteral("ADMIN"));
        SetCurrentUser(admin);
        Settings().SetProgramRunningMode(RunningMode::Setup);
    }
    ~SetupTest() override
    {
        UnloadAllForms();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        SetCurrentUser(nullptr);
        UnloadHTTPCommsForm();
        ReleaseGlobalDatabase();
    }

    frmSetup& Open()
    {
        form = new frmSetup(GlobalDatabase(), [this](QWidget*, const std::shared_ptr<Enquirers>&,
                                                     const std::shared_ptr<User>& user) { editUser(*user); },
                            roads);
        form->setAttribute(Qt::WA_DeleteOnClose);
        form->InitialiseForm();
        form->show();
        return *form;
    }

    void Script(const QString& type, const QString& xml)
    {
        WriteBytes(world.PathOf(QStringLiteral("script/") + type + QStringLiteral(".xml")), xml.toUtf8());
    }
    static QString Answer(const char* responseType, const QString& body)
    {
        return QStringLiteral("<?xml version=\"1.0\" encoding=\"UTF-8\"?><ns2:NSResponse xmlns:ns2=\"http://www.nevix.co.uk/"
                              "schema/jux\"><ResponseHeader><ResponseType>%1</ResponseType><MessageType>$TYPE</MessageType>"
                              "<MessageVersion>$VERSION</MessageVersion><MessageTimeStamp>$TIMESTAMP</MessageTimeStamp>"
                              "</ResponseHeader>%2</ns2:NSResponse>")
            .arg(QLatin1String(responseType), body);
    }
    static QString Refusal(const char* code, const char* description)
    {
        return Answer("ERR", QStringLiteral("<ErrorMessage><ErrorCode>%1</ErrorCode><ErrorDescription>%2</ErrorDescription>"
                                            "</ErrorMessage>")
                                 .arg(QLatin1String(code), QLatin1String(description)));
    }

    void Next() { form->cmdNextFinsh()->click(); }
    void Back() { form->cmdBack()->click(); }
    // Step 1 with the account typed, then Next.
    void ConnectAs(const QString& user, const QString& password)
    {
        form->Wizard().ChangeStep(1);
        form->txtIEUserID()->setText(user);
        form->txtIEPassword()->setText(password);
        Next();
    }
    // Folders for every enquirer, chosen in the folder browser.
    void ChooseFolders()
    {
        const int count = std::max(1, form->cboEnquirer()->count());
        for (int e = 0; e < count; ++e) {
            if (form->cboEnquirer()->count() > 0)
                form->cboEnquirer()->setCurrentIndex(e);
            for (int i = 0; i < 2; ++i) {
                world.ui().ScriptFile(world.PathOf(QStringLiteral("folders/%1/%2").arg(e).arg(i)));
                form->cmdBrowse(i)->click();
            }
        }
    }
    QStringList Lines() const
    {
        QStringList lines;
        for (int i = 0; i < form->lstCommsProgress()->count(); ++i)
            lines << form->lstCommsProgress()->item(i)->text();
        return lines;
    }
    bool Shows(const QWidget* control) const { return control->isVisibleTo(form); }
    SysParameters StoredParameters() const
    {
        SysParameters parameters;
        parameters.SetDataSource(&GlobalDatabase());
        parameters.Load();
        return parameters;
    }
    int EnabledTitles() const
    {
        int enabled = 0;
        for (int i = 0; i <= SetupWizard::LastStep; ++i)
            enabled += form->lblProgress(i)->isEnabled() ? 1 : 0;
        return enabled;
    }

    TestWorld world;
    StandInService service{world.PathOf(QStringLiteral("script"))};
    SimpleHttpServer server{[this](const SimpleHttpServer::Request& r) { return service.Handle(r); }};
    QStringList received;
    std::function<void(const QString&)> duringRequest;
    std::function<void(User&)> editUser = [](User&) {};
    int menus = 0;
    int ends = 0;
    SetupRoads roads{[this] { ++menus; }, [this] { ++ends; }};
    frmSetup* form = nullptr;
};

TEST_F(SetupTest, NextAndBackFollowTheStepsAndTheirChecks)
{
    Open();
    const auto expectStep = [this](int step) {
        SCOPED_TRACE(step);
        EXPECT_EQ(form->Wizard().CurrentStep(), step);
        EXPECT_TRUE(Shows(form->fraStepFrame(step)));
        EXPECT_EQ(EnabledTitles(), 1);
        EXPECT_TRUE(form->lblProgress(step)->isEnabled());
        EXPECT_EQ(Shows(form->cmdBack()), step > 0);
        EXPECT_EQ(form->cmdNextFinsh()->text(), step == 4 ? "&Finish" : "&Next");
        EXPECT_FALSE(Shows(form->cmdHelp())) << "the wizard offers no help";
    };
    expectStep(0);
    Next();
    expectStep(1);
    EXPECT_TRUE(form->tmrForCapsLocck()->isActive());
    EXPECT_EQ(form->tmrForCapsLocck()->interval(), 100);
    Back();
    expectStep(0);
    ConnectAs(QStringLiteral("nevix01"), QStringLiteral("Abcdefg1"));
    expectStep(2);
    EXPECT_FALSE(form->tmrForCapsLocck()->isActive());
    Back();
    expectStep(1);
    Next();
    expectStep(2);
    Next();
    EXPECT_EQ(world.ui().boxes.last().text.left(31), QStringLiteral("Import folder for Stand-in Park"));
    expectStep(2);
    ChooseFolders();
    Next();
    expectStep(3);
    Back();
    expectStep(2);
    Next();
    Next();
    expectStep(4);
    Back();
    expectStep(3);
    Next();
    expectStep(4);
}

TEST_F(SetupTest, AnAccountBreakingTheRulesIsRefusedAndNothingIsStored)
{
    const struct {
        const char* user;
        const char* password;
        QString warning;
        const char* focused;
    } cases[] = {{"abc", "short", UserRule + QStringLiteral("\r\n") + PasswordRule, "txtIEUserID"},
                 {"nevix01", "short", PasswordRule, "txtIEPassword"}};
    Open();
    for (const auto& c : cases) {
        SCOPED_TRACE(c.user);
        world.ui().boxes.clear();
        ConnectAs(QLatin1String(c.user), QLatin1String(c.password));
        ASSERT_EQ(world.ui().boxes.size(), 1);
        EXPECT_EQ(world.ui().boxes[0].text, c.warning);
        EXPECT_EQ(world.ui().boxes[0].style & MsgBox::IconMask, MsgBox::Exclamation);
        EXPECT_EQ(form->focusWidget()->objectName(), QLatin1String(c.focused));
        EXPECT_EQ(form->Wizard().CurrentStep(), 1);
    }
    NevixParameters account;
    account.SetDataSource(&GlobalDatabase());
    account.Load();
    EXPECT_EQ(account.UserName(), QString());
    EXPECT_TRUE(received.isEmpty());
}

TEST_F(SetupTest, TheExchangesRunInOrderAndAgainIntoAClearedList)
{
    Open();
    ConnectAs(QStringLiteral("nevix01"), QStringLiteral("Abcdefg1"));
    const QStringList four{QStringLiteral("CommsTest"), QStringLiteral("SeedVQ7CtrlRef"),
                           QStringLiteral("SeedDebCtrlRef"), QStringLiteral("EnquirerRequest")};
    EXPECT_EQ(received, four);
    ASSERT_EQ(form->Wizard().CurrentStep(), 2);
    EXPECT_TRUE(world.ui().boxes.isEmpty()) << world.ui().Texts().join(u'|').toStdString();
    const QStringList lines = Lines();
    ASSERT_FALSE(lines.isEmpty());
    EXPECT_EQ(lines.first(), QStringLiteral("Begining communication test with NEVIX service"));
    EXPECT_TRUE(lines.contains(QStringLiteral("Getting Enquirers from NEVIX service")));
    EXPECT_EQ(lines.last(), QStringLiteral("2 Enquirers obtained"));
    EXPECT_TRUE(Shows(form->lstCommsProgress()));
    EXPECT_EQ(form->cboEnquirer()->currentText(), QStringLiteral("Stand-in Parking"));
    EXPECT_TRUE(form->chkIsDefaultEnquirer()->isChecked());
    EXPECT_EQ(form->focusWidget(), form->cboEnquirer());
    EXPECT_EQ(StoredParameters().PartyName(), QStringLiteral("Stand-in Parking"));
    // Neither the connection steps nor fatal lines reach the list.
    for (const auto& line : form->Wizard().Log()->NewEnum()) {
        if (line->EventCode() == EventCodes::Communication || line->EventCode() == EventCodes::Fatal) {
            EXPECT_FALSE(lines.contains(line->EventText())) << line->EventText().toStdString();
        }
    }

    // Only the user's choice of reason changes the default; the combo shows
    // each reason with its code.
    const auto reasons = form->Wizard().EnquirerList()->Item(1)->EnquiryReasons();
    const auto isDefault = [&reasons](int position) { return reasons->Item(position)->IsDefault(); };
    ASSERT_EQ(form->cboReasonForEnquiry()->count(), 2);
    const bool firstWasDefault = isDefault(1);
    form->cboReasonForEnquiry()->setCurrentIndex(firstWasDefault ? 1 : 0);
    EXPECT_EQ(isDefault(1), firstWasDefault) << "a change from code";
    emit form->cboReasonForEnquiry()->activated(firstWasDefault ? 1 : 0);
    EXPECT_EQ(isDefault(1), !firstWasDefault);
    EXPECT_EQ(isDefault(2), firstWasDefault);

    // The seeding writes into the test's ended run; its lines are kept.
    LogLines stored;
    stored.SetDataSource(&GlobalDatabase());
    stored.Load();
    QStringList storedTexts;
    for (const auto& line : stored.NewEnum())
        storedTexts << line->EventText();
    EXPECT_TRUE(storedTexts.contains(QStringLiteral("Debit Ctrl seeded with: 0"))) << storedTexts.join(u'|').toStdString();

    form->Wizard().ChangeStep(0);
    Next();
    Next();
    EXPECT_EQ(received, four + four);
    EXPECT_EQ(Lines().count(QStringLiteral("Begining communication test with NEVIX service")), 1);
    EXPECT_EQ(Lines().first(), QStringLiteral("Begining communication test with NEVIX service"));
}

struct FailureCase {
    const char* name;
    const char* refusedType; // scripted to refuse; none: no service at all
    const char* refusal;
    QString box;
    QStringList lines; // "$HOST": where the service was looked for
};

class SetupFailureTest : public SetupTest, public ::testing::WithParamInterface<FailureCase> {};

TEST_P(SetupFailureTest, KeepsStepOneAndOffersTheLog)
{
    const FailureCase& c = GetParam();
    QString host = server.Url();
    if (c.refusedType) {
        Script(QLatin1String(c.refusedType), Refusal(c.refusal, "Refused here"));
    } else {
        QTcpServer closed;
        ASSERT_TRUE(closed.listen(QHostAddress::LocalHost));
        host = QStringLiteral("http://127.0.0.1:%1/nevix").arg(closed.serverPort());
        closed.close();
        UseServiceAt(host, world.PathOf(QStringLiteral("Nevix.INI")));
    }
    Open();
    ConnectAs(QStringLiteral("nevix01"), QStringLiteral("Abcdefg1"));
    EXPECT_EQ(form->Wizard().CurrentStep(), 1);
    EXPECT_TRUE(Shows(form->cmdShowLog()));
    EXPECT_TRUE(form->cmdNextFinsh()->isEnabled());
    ASSERT_EQ(world.ui().boxes.size(), 1);
    EXPECT_EQ(world.ui().boxes[0].text, c.box + ShowLogDetail);
    EXPECT_NE(world.ui().pointerDuringBox.value(0), Pointer::Hourglass);
    for (QString line : c.lines) {
        line.replace(QStringLiteral("$HOST"), host);
        EXPECT_TRUE(Lines().contains(line)) << line.toStdString() << "\n" << Lines().join(u'\n').toStdString();
    }
    if (c.refusedType) {
        EXPECT_EQ(received.last(), QLatin1String(c.refusedType)) << "nothing after the refusal";
    }
    NevixParameters account;
    account.SetDataSource(&GlobalDatabase());
    account.Load();
    EXPECT_EQ(account.UserName(), QStringLiteral("nevix01")) << "stored before the test";

    // The log behind the list opens over the wizard.
    bool logShown = false;
    WhenShown<frmTransmissionStatus>([&](frmTransmissionStatus& log) {
        logShown = true;
        log.reject();
    });
    form->cmdShowLog()->click();
    EXPECT_TRUE(logShown);
}

INSTANTIATE_TEST_SUITE_P(
    Exchanges, SetupFailureTest,
    ::testing::Values(
        FailureCase{"AccountRefused", "CommsTest", "NS050",
                    QStringLiteral("Unable connect to or log-on to, the NEVIX service."),
                    {QStringLiteral("The user name or password could not be matched on the NEVIX service"),
                     QStringLiteral("Check that the user name and password that you entered is the one we supplied you "
                                    "with"),
                     QStringLiteral("The user name & password being used are: nevix01, Abcdefg1")}},
        FailureCase{"NoConnection", nullptr, nullptr, QStringLiteral("Unable connect to or log-on to, the NEVIX service."),
                    {QStringLiteral("Unable to connect to the NEVIX service"),
                     QStringLiteral("Check that you are able to get to the internet from this computer,"),
                     QStringLiteral("Attempting to connect to: $HOST")}},
        FailureCase{"SeedingRefused", "SeedVQ7CtrlRef", "NS300",
                    QStringLiteral("Unable to seed control references on the NEVIX service."),
                    {QStringLiteral("NS300:Refused here")}},
        FailureCase{"DownloadRefused", "EnquirerRequest", "NS400",
                    QStringLiteral("Unable to get Enquirer details from the NEVIX service."),
                    {QStringLiteral("NS400:Refused here")}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(SetupTest, WithoutAServiceAddressStepOneNamesTheSettingsFileToPutItIn)
{
    const QString ini = world.PathOf(QStringLiteral("Nevix.INI"));
    UseServiceAt(QString(), ini);
    Open();
    ConnectAs(QStringLiteral("nevix01"), QStringLiteral("Abcdefg1"));
    EXPECT_EQ(form->Wizard().CurrentStep(), 1);
    EXPECT_TRUE(Lines().contains(QStringLiteral("Attempting to connect to: (no service address in ") + ini + u')'))
        << Lines().join(u'\n').toStdString();
}

TEST_F(SetupTest, OneDownloadedEnquirerNamesTheCompany)
{
    Script(QStringLiteral("EnquirerRequest"),
           Answer("ACK", QStringLiteral("<Enquirers><Enquirer><EnquirerId>ZZ999</EnquirerId><EnquirerName>Lone Parking"
                                        "</EnquirerName><EnquiryReason><EnquiryCode>01PK</EnquiryCode><Description>Parking"
                                        "</Description></EnquiryReason></Enquirer></Enquirers>")));
    Open();
    ConnectAs(QStringLiteral("nevix01"), QStringLiteral("Abcdefg1"));
    ASSERT_EQ(form->Wizard().CurrentStep(), 2);
    EXPECT_EQ(Lines().last(), QStringLiteral("1 Enquirers obtained"));
    EXPECT_TRUE(Shows(form->lblEnquirerName()));
    EXPECT_EQ(form->lblEnquirerName()->text(), QStringLiteral("Lone Parking"));
    EXPECT_FALSE(Shows(form->cboEnquirer()));
    EXPECT_FALSE(Shows(form->chkIsDefaultEnquirer()));
    EXPECT_EQ(form->focusWidget(), form->txtEnqFolder(0));
    EXPECT_EQ(StoredParameters().PartyName(), QStringLiteral("Lone Parking"));

    // An import folder under a plain file cannot be made.
    WriteBytes(world.PathOf(QStringLiteral("plain")), "x");
    ChooseFolders();
    form->txtEnqFolder(0)->clear();
    form->txtEnqFolder(0)->insert(world.PathOf(QStringLiteral("plain/in"))); // as typed
    Next();
    EXPECT_EQ(form->Wizard().CurrentStep(), 2);
    EXPECT_TRUE(world.ui().boxes.last().text.startsWith(QStringLiteral("Import folder for Lone Parking cannot be written to")))
        << world.ui().boxes.last().text.toStdString();
    ChooseFolders();
    Next();
    Next();
    EXPECT_EQ(form->txtPartyName()->text(), QStringLiteral("Lone Parking"));
}

TEST_F(SetupTest, AFolderPutInTheBoxIsTheEnquirersOnceLeftOrOnNext)
{
    Settings().SetHighlightSelText(false);
    Open();
    QApplication::setActiveWindow(form);
    ConnectAs(QStringLiteral("nevix01"), QStringLiteral("Abcdefg1"));
    ASSERT_EQ(form->Wizard().CurrentStep(), 2);
    ChooseFolders(); // the second enquirer's are chosen; the first is shown again below
    form->cboEnquirer()->setCurrentIndex(0);
    const QString imports = world.PathOf(QStringLiteral("pasted/in"));
    const QString exports = world.PathOf(QStringLiteral("pasted/out"));
    form->txtEnqFolder(0)->setFocus();
    form->txtEnqFolder(0)->setText(imports); // not typed: pasted
    QCoreApplication::processEvents();
    EXPECT_EQ(form->txtEnqFolder(0)->selectedText(), imports) << "a folder box selects it all";
    form->txtEnqFolder(1)->setFocus();
    EXPECT_EQ(form->Wizard().EnquirerList()->Item(1)->ImportFolder(), imports) << "stored on leaving the box";
    form->txtEnqFolder(1)->setText(exports);
    Next(); // the focus still in the box
    ASSERT_EQ(form->Wizard().CurrentStep(), 3) << world.ui().Texts().join(u'|').toStdString();
    Enquirers stored;
    stored.SetDataSource(&GlobalDatabase());
    stored.Load();
    EXPECT_EQ(stored.Item(1)->ImportFolder(), imports);
    EXPECT_EQ(stored.Item(1)->ExportFolder(), exports);
}

TEST_F(SetupTest, TheUsersStepStoresTheUsersEitherWayAndKeepsAnAdministratorForAll)
{
    Open();
    ConnectAs(QStringLiteral("nevix01"), QStringLiteral("Abcdefg1"));
    ChooseFolders();
    Next();
    ASSERT_EQ(form->Wizard().CurrentStep(), 3) << world.ui().Texts().join(u'|').toStdString();
    EXPECT_TRUE(Shows(form->lblAddUsersNewInstall()));

    // A user added in the editor is listed.
    editUser = [](User& user) {
        user.SetUserName(QStringLiteral("clerk9"));
        user.SetDescription(QStringLiteral("New clerk"));
        user.Apply();
    };
    form->cmdAddUser()->click();
    EXPECT_EQ(form->lstUsers()->findItems(QStringLiteral("clerk9 (New clerk)"), Qt::MatchExactly).size(), 1);

    // The administrator and the unattended user losing the enquirers:
    // Back is refused.
    editUser = [](User& user) {
        user.ReplaceEnquirers(std::make_shared<Enquirers>());
        user.SetDescription(QStringLiteral("Changed"));
    };
    for (const char* name : {"ADMIN (", "AUTOEXECUTE ("}) {
        const auto found = form->lstUsers()->findItems(QLatin1String(name), Qt::MatchStartsWith);
        ASSERT_EQ(found.size(), 1) << name;
        form->lstUsers()->setCurrentItem(found.first());
        form->cmdEditUser()->click();
    }
    Back();
    EXPECT_EQ(form->Wizard().CurrentStep(), 3);
    EXPECT_EQ(world.ui().boxes.last().text, QStringLiteral("You must have an Admin user that can access all the enquirers."));

    // The administrator given them back, Back stores the users on its way.
    editUser = [this](User& user) {
        user.ReplaceEnquirers(form->Wizard().EnquirerList());
        user.SetDescription(QStringLiteral("Changed"));
    };
    form->lstUsers()->setCurrentItem(form->lstUsers()->findItems(QStringLiteral("ADMIN ("), Qt::MatchStartsWith).first());
    form->cmdEditUser()->click();
    Back();
    EXPECT_EQ(form->Wizard().CurrentStep(), 2);
    User stored;
    stored.SetDataSource(&GlobalDatabase());
    stored.LoadByUserName(QStringLiteral("ADMIN"));
    EXPECT_EQ(stored.Description(), QStringLiteral("Changed"));
}

struct FinishCase {
    const char* name;
    int option;
    const char* iniMode;
    bool singleUser;
};

class SetupFinishTest : public SetupTest, public ::testing::WithParamInterface<FinishCase> {};

TEST_P(SetupFinishTest, CompletesTheSetUpInTheModeChosen)
{
    const FinishCase& c = GetParam();
    GlobalDatabase().SetIsSingleUserConnection(!c.singleUser);
    Open();
    form->Wizard().ChangeStep(4);
    EXPECT_TRUE(form->optInstalMode(0)->isChecked());
    EXPECT_TRUE(form->optInstalMode(1)->accessibleName().startsWith(
        QStringLiteral("SERVER.  Other programs will share the database.")));
    EXPECT_EQ(form->optInstalMode(0)->text(),
              QStringLiteral("STANDALONE.  More than one person can use the program but the program will only be "
                             "installed on one computer."));
    EXPECT_EQ(form->optInstalMode(1)->text(),
              QStringLiteral("SERVER.  Other programs will share the database.  This installation will be the one "
                             "that communicates with the NEVIX service.  This installation must be done before any "
                             "CLIENT installations."));
    form->txtPartyName()->clear();
    Next();
    EXPECT_EQ(world.ui().boxes.last().text, QStringLiteral("You must have a Company Name"));
    EXPECT_EQ(form->focusWidget(), form->txtPartyName());
    EXPECT_FALSE(StoredParameters().IsSetupComplete());
    form->optInstalMode(c.option)->click();
    form->txtPartyName()->setText(QStringLiteral("Acme Parking"));
    Next();
    EXPECT_EQ(menus, 1);
    EXPECT_FALSE(form->isVisible());
    EXPECT_TRUE(StoredParameters().IsSetupComplete());
    EXPECT_EQ(StoredParameters().PartyName(), QStringLiteral("Acme Parking"));
    EXPECT_EQ(INIFile().GetIniString(QStringLiteral("NevixClient"), QStringLiteral("ProgramInstallMode"), QString(),
                                     world.PathOf(QStringLiteral("Nevix.INI"))),
              QLatin1String(c.iniMode));
    EXPECT_EQ(GlobalDatabase().IsSingleUserConnection(), c.singleUser);
    EXPECT_EQ(Settings().ProgramRunningMode(), RunningMode::Interactive);
}

INSTANTIATE_TEST_SUITE_P(Modes, SetupFinishTest,
                         ::testing::Values(FinishCase{"Server", 1, "2", false}, FinishCase{"Standalone", 0, "1", true}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(SetupTest, CancelAndTheCloseBoxAskBeforeStoppingAndNeverDuringTheExchanges)
{
    Open();
    Next();
    form->txtIEUserID()->setText(QStringLiteral("nevix01"));
    form->txtIEPassword()->setText(QStringLiteral("Abcdefg1"));
    bool closedDuringExchange = true;
    duringRequest = [&](const QString& type) {
        if (type == QLatin1String("CommsTest")) {
            form->close();
            closedDuringExchange = !form->isVisible();
        }
    };
    Next();
    duringRequest = nullptr;
    EXPECT_FALSE(closedDuringExchange);
    EXPECT_EQ(form->Wizard().CurrentStep(), 2);
    EXPECT_TRUE(world.ui().boxes.isEmpty()) << "nothing asked while the exchanges ran";

    world.ui().ScriptAnswer(MsgBox::AnswerNo);
    form->cmdCancel()->click();
    EXPECT_TRUE(form->isVisible());
    EXPECT_EQ(world.ui().boxes.last().text,
              QStringLiteral("Nevix Client cannot be run until the setup has been completed.\rDo you want to stop now?"));
    EXPECT_EQ(world.ui().boxes.last().style & MsgBox::DefaultMask, MsgBox::DefaultButton2);
    world.ui().ScriptAnswer(MsgBox::AnswerYes);
    form->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(ends, 1);
    EXPECT_EQ(menus, 0);
    for (QWidget* window : QApplication::topLevelWidgets())
        EXPECT_FALSE(window->isVisible()) << window->objectName().toStdString();
    EXPECT_FALSE(StoredParameters().IsSetupComplete());
}

TEST_F(SetupTest, WithoutAScriptedEditorTheProgramsUserEditorOpens)
{
    frmSetup wizard(GlobalDatabase(), UserEditor(), roads);
    wizard.InitialiseForm();
    wizard.Wizard().ChangeStep(2);
    wizard.Wizard().ChangeStep(3);
    wizard.lstUsers()->setCurrentRow(0);
    bool opened = false;
    WhenShown<frmEditUser>([&opened](frmEditUser& editor) {
        opened = true;
        editor.cmdCancel()->click();
    });
    wizard.cmdEditUser()->click();
    EXPECT_TRUE(opened);
}

TEST_F(SetupTest, TheCapsLockWarningFollowsTheKeyboardOnStepOne)
{
    Open();
    Next();
    world.SetCapsLock(true);
    form->Wizard().CapsLockTick();
    EXPECT_TRUE(Shows(form->lblCapsLockOn()));
    EXPECT_TRUE(Shows(form->imgCapLockOn()));
    world.SetCapsLock(false);
    form->Wizard().CapsLockTick();
    EXPECT_FALSE(Shows(form->lblCapsLockOn()));
    form->chkShowPassword()->click();
    EXPECT_EQ(form->txtIEPassword()->echoMode(), QLineEdit::Normal);
}

TEST(SetupProgressLines, OnlyInformationWarningsAndErrorsShow)
{
    const auto lines = [](int32_t code, const char* text) {
        return SetupWizard::ProgressLines(code, QLatin1String(text), QStringLiteral("u"), QStringLiteral("p"),
                                          QStringLiteral("http://h"));
    };
    EXPECT_EQ(lines(EventCodes::Information, "Enquirers stored"), QStringList{QStringLiteral("Enquirers stored")});
    EXPECT_EQ(lines(EventCodes::Warning, "JX001:Host not found").last(), QStringLiteral("Attempting to connect to: http://h"));
    EXPECT_EQ(lines(EventCodes::Error, "NS050:Refused").last(), QStringLiteral("The user name & password being used are: u, p"));
    EXPECT_EQ(lines(EventCodes::Error, "ns050:Refused"), QStringList{QStringLiteral("ns050:Refused")}) << "case counts";
    for (int32_t code : {EventCodes::Start, EventCodes::End, EventCodes::Communication, EventCodes::Fatal})
        EXPECT_TRUE(lines(code, "NS050:Refused").isEmpty()) << code;
}

} // namespace
