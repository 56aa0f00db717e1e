// The windows nevix-shot draws: one entry per window, added here by the
// issue that builds the window.
#include "ShotEntry.h"

#include "PrepareProgramFolder.h"

#include "core/qt/frmWorkInProgress.h"
#include "help/ChmFile.h"
#include "help/qt/HelpWindow.h"
#include "platform/AppContext.h"
#include "screens/admin/frmChangePassword.h"
#include "screens/admin/frmEditUser.h"
#include "screens/admin/frmInfo.h"
#include "screens/admin/frmJuxClient.h"
#include "screens/admin/frmLogon.h"
#include "screens/admin/frmMenu.h"
#include "screens/admin/frmParameters.h"
#include "screens/admin/frmProgress.h"
#include "screens/records/ResponseListModel.h"
#include "screens/records/frmAnonymiseVq7.h"
#include "screens/records/frmDEB.h"
#include "screens/records/frmEditBlackListVrm.h"
#include "screens/admin/frmSetup.h"
#include "screens/admin/SetupWizard.h"
#include "screens/records/frmMessage.h"
#include "screens/records/frmVQ7.h"
#include "screens/records/frmSelectEnquirer.h"
#include "screens/records/frmVQ3.h"
#include "accounts/Enquirers.h"
#include "accounts/User.h"
#include "records/DebitStatements.h"
#include "records/VQ3Enquiries.h"
#include "records/VQ7Responses.h"
#include "reports/qt/frmChoosePrintType.h"
#include "screens/admin/frmSplash.h"
#include "database/LogLines.h"
#include "database/TransmissionResults.h"
#include "scheduling/AutoExecuteConsole.h"
#include "scheduling/Exchanges.h"
#include "scheduling/MiniScheduler.h"
#include "scheduling/TransmissionControl.h"
#include "screens/admin/MenuPictures.h"
#include "screens/transmission/frmAutoExecute.h"
#include "screens/transmission/frmCloseAutoExecute.h"
#include "screens/transmission/frmSchedulerProps.h"
#include "screens/transmission/frmShutDownMode.h"
#include "screens/transmission/frmTransmissionControl.h"
#include "screens/transmission/frmTransmissionHistory.h"
#include "screens/transmission/frmTransmissionStatus.h"

#include "core/ApplicationSettings.h"
#include "platform/NevixError.h"

#include <QLineEdit>
#include <QLocale>
#include <QRadioButton>
#include <QTableView>
#include <QCheckBox>
#include <QTcpServer>
#include <QLabel>
#include <QProgressBar>
#include <QTabWidget>

namespace {

template <typename Window> std::unique_ptr<QWidget> Owned(std::unique_ptr<Window> window)
{
    return std::unique_ptr<QWidget>(window.release());
}

std::unique_ptr<QWidget> Splash(ShotContext&)
{
    return std::make_unique<frmSplash>();
}

std::unique_ptr<QWidget> About(ShotContext&)
{
    auto about = std::make_unique<frmSplash>();
    about->SetIsAboutBox(true);
    return Owned(std::move(about));
}

// --set clientOnly=no: the three modes of a first installation.
std::unique_ptr<QWidget> InstallModeChoice(ShotContext& context)
{
    auto window = std::make_unique<frmJuxClient>();
    window->InitialiseForm(context.Flag(QStringLiteral("clientOnly"), true));
    return Owned(std::move(window));
}

std::unique_ptr<QWidget> Logon(ShotContext& context)
{
    // Nothing is opened from a drawn logon.
    LogonRoads roads;
    roads.OpenMainMenu = [] {};
    roads.OpenSetupWizard = [] {};
    roads.OpenAutoExecuteConsole = [](bool) { return false; };
    roads.EndProgram = [] {};
    roads.CancelProgram = [] {};
    auto logon = std::make_unique<frmLogon>(context.Database(), roads);
    logon->InitialiseForm();
    return Owned(std::move(logon));
}

std::unique_ptr<QWidget> ChangePassword(ShotContext& context)
{
    auto window = std::make_unique<frmChangePassword>(context.CurrentUser());
    window->InitialiseForm();
    return Owned(std::move(window));
}

// --set message=TEXT: the text of the work in progress.
std::unique_ptr<QWidget> Wait(ShotContext& context)
{
    auto wait = std::make_unique<frmWorkInProgress>();
    wait->lblWIP()->setText(
        context.Value(QStringLiteral("message"), QStringLiteral("Data maintenance in progress")));
    return Owned(std::move(wait));
}

std::unique_ptr<QWidget> Menu(ShotContext& context)
{
    // Nothing is opened from a drawn menu.
    auto menu = std::make_unique<frmMenu>(context.Database(), FormRegistry(), MenuRoads());
    menu->InitialiseForm();
    return Owned(std::move(menu));
}

// --set logOff=no, --set autoExecute=yes: the options offered.
std::unique_ptr<QWidget> ShutDown(ShotContext& context)
{
    auto dialog = std::make_unique<frmShutDownMode>();
    dialog->InitialiseForm(context.Flag(QStringLiteral("logOff"), true),
                           context.Flag(QStringLiteral("autoExecute"), false));
    return Owned(std::move(dialog));
}

std::unique_ptr<QWidget> CloseAutoExecute(ShotContext&)
{
    return std::make_unique<frmCloseAutoExecute>();
}

// --set caption=, info=, value=: the window as a response export drives it.
std::unique_ptr<QWidget> Progress(ShotContext& context)
{
    auto progress = std::make_unique<frmProgress>();
    progress->setWindowTitle(context.Value(QStringLiteral("caption"), QStringLiteral("Response Export")));
    progress->InfoLbl(0)->setText(
        context.Value(QStringLiteral("info"), QStringLiteral("Exporting /home/nevix/CD456/Export/VQ7001.EXP")));
    progress->StatusPnl()->setValue(context.Value(QStringLiteral("value"), QStringLiteral("40")).toInt());
    return Owned(std::move(progress));
}

// --file F --topic N: that topic of a compiled help file, by default the
// help fixture's main menu topic.
std::unique_ptr<QWidget> Help(ShotContext& context)
{
    auto file = std::make_shared<ChmFile>(context.Value(QStringLiteral("file"), QStringLiteral(NEVIX_HELP_FIXTURE)));
    const QString page = file->PageForTopic(context.Value(QStringLiteral("topic"), QStringLiteral("1000")).toInt());
    auto window = std::make_unique<HelpWindow>();
    window->ShowPage(std::move(file), page);
    return Owned(std::move(window));
}

// The program folder's information file, as nevix-prepare puts it there.
std::unique_ptr<QWidget> Information(ShotContext&)
{
    CopyInformationFile(AppContext::Current().programFolder());
    auto window = std::make_unique<frmInfo>();
    window->InitialiseForm();
    return Owned(std::move(window));
}

// The log window on the most recent run of the program folder.
std::unique_ptr<QWidget> LogStatus(ShotContext&)
{
    auto window = std::make_unique<frmTransmissionStatus>();
    window->InitialiseForm();
    return Owned(std::move(window));
}

// The full log, filled when it is laid out.
std::unique_ptr<QWidget> LogHistory(ShotContext&)
{
    return std::make_unique<frmTransmissionHistory>();
}

// The editor with the row it shows, which must outlive it.
class SchedulerPropsShot : public frmSchedulerProps {
public:
    MiniScheduler Row;
};

// --row ID: the schedule row shown (HCOMMS by default); --set
// switched-on=1: as its owner shows a row that is switched on.
std::unique_ptr<QWidget> SchedulerProps(ShotContext& context)
{
    auto window = std::make_unique<SchedulerPropsShot>();
    const QString id = context.Value(QStringLiteral("row"), QStringLiteral("HCOMMS"));
    window->Row.SetDataSource(&context.Database());
    window->Row.SetScheduleID(id);
    window->Row.Load();
    if (window->Row.IsNew())
        throw NevixError(ErrorNumbers::ObjectErrorBase, QStringLiteral("No schedule row ") + id);
    window->Row.SetIsStopped(!context.Flag(QStringLiteral("switched-on"), false));
    window->CConstructor(window->Row);
    return Owned(std::move(window));
}

// --set export=1: as the export screens ask it.
std::unique_ptr<QWidget> SelectEnquirer(ShotContext& context)
{
    auto dialog = std::make_unique<frmSelectEnquirer>();
    if (context.Flag(QStringLiteral("export"), false))
        dialog->SetForExport();
    else
        dialog->SetForImport();
    return Owned(std::move(dialog));
}

// --set message=: the question of an enquiry import.
std::unique_ptr<QWidget> ImportQuestion(ShotContext& context)
{
    auto window = std::make_unique<frmMessage>();
    window->SetMessage(context.Value(QStringLiteral("message"),
                                     QStringLiteral("2 possible duplicates for AB12CDE found.")));
    return Owned(std::move(window));
}

// The print dialog with the lists it was handed, which must outlive it.
class PrintTypeShot : public frmChoosePrintType {
public:
    VQ3Enquiries Enquiries;
    VQ7Responses Responses;
    DebitStatements Statements;
};

// --set mode=enquiries|responses|statements, option=N: the option chosen.
std::unique_ptr<QWidget> PrintType(ShotContext& context)
{
    auto dialog = std::make_unique<PrintTypeShot>();
    const QString mode = context.Value(QStringLiteral("mode"), QStringLiteral("enquiries"));
    const int option = context.Value(QStringLiteral("option"), QStringLiteral("0")).toInt();
    CDataBase* db = &context.Database();
    if (mode == QStringLiteral("responses")) {
        dialog->Responses.SetDataSource(db, false);
        dialog->Responses.Load({});
        dialog->SetForVQ7(dialog->Responses.Count() ? dialog->Responses.Item(1) : nullptr, dialog->Responses);
        dialog->OptWhatToPrintVq7(option)->click();
    } else if (mode == QStringLiteral("statements")) {
        dialog->Statements.SetDataSource(db, false);
        dialog->Statements.Load({});
        dialog->SetForDebs(nullptr, dialog->Statements);
        dialog->OptWhatToPrintDeb(option)->setChecked(true);
    } else {
        dialog->Enquiries.SetDataSource(db, false);
        dialog->Enquiries.Load({});
        dialog->SetForVQ3(nullptr, dialog->Enquiries);
        dialog->OptWhatToPrintVq3(option)->setChecked(true);
    }
    return Owned(std::move(dialog));
}

// --set select=N (the row, from 1), mode=edit|add, sort=vrm|date, height=PIXELS (the
// screen's; below 730 the compact layout): the enquiry screen as it shows.
std::unique_ptr<QWidget> Enquiries(ShotContext& context)
{
    RecordScreenTools tools;
    tools.ScreenHeight = context.Value(QStringLiteral("height"), QStringLiteral("1080")).toInt();
    auto window = std::make_unique<frmVQ3>(tools);
    window->InitialiseForm();
    window->show();
    const QString sort = context.Value(QStringLiteral("sort"));
    if (sort == QLatin1String("vrm") || sort == QLatin1String("date"))
        window->grdVQ3_HeadingClick(sort == QLatin1String("vrm") ? 1 : 2);
    const int row = context.Value(QStringLiteral("select"), QStringLiteral("1")).toInt();
    window->SelectGridRow(row);
    const QString mode = context.Value(QStringLiteral("mode"));
    if (mode == QLatin1String("edit"))
        window->cmdEdit_Click();
    else if (mode == QLatin1String("add"))
        window->cmdAdd_Click();
    return Owned(std::move(window));
}

// --set vrm=MARK: the response shown (the first in the list by default;
// the fixture's FX03AAA is a private keeper, FX07AAA legacy data, FX11AAA a
// company keeper).
std::unique_ptr<QWidget> Responses(ShotContext& context)
{
    auto window = std::make_unique<frmVQ7>();
    window->InitialiseForm();
    const QString vrm = context.Value(QStringLiteral("vrm"));
    const std::vector<VQ7ListRow>& rows = window->ListModel().Rows();
    for (int row = 0; !vrm.isEmpty() && row < int(rows.size()); ++row) {
        if (rows[size_t(row)].VRM == vrm) {
            window->grdVQ7()->setCurrentIndex(window->ListModel().index(row, 1));
            break;
        }
    }
    window->resize(1180, 760);
    return Owned(std::move(window));
}

// Drawn in a UK computer's date and currency forms, put back when it goes.
class StatementsShot : public frmDEB {
public:
    StatementsShot() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedKingdom)); }
    ~StatementsShot() override { QLocale::setDefault(m_previous); }

private:
    QLocale m_previous;
};

std::unique_ptr<QWidget> Statements(ShotContext&)
{
    auto window = std::make_unique<StatementsShot>();
    window->InitialiseForm();
    window->resize(900, 560);
    return Owned(std::move(window));
}

// The dialog with the entry it edits, which must outlive it.
class BlacklistEntryShot : public frmEditBlackListVrm {
public:
    BlackListedVRM Entry;
};

// A new entry as the response screen proposes it.
std::unique_ptr<QWidget> BlacklistEntry(ShotContext& context)
{
    auto dialog = std::make_unique<BlacklistEntryShot>();
    dialog->Entry.SetBlacklistedBy(context.CurrentUser().UserName());
    dialog->Entry.SetBlacklistedOn(context.Now());
    dialog->Entry.SetVRM(context.Value(QStringLiteral("vrm"), QStringLiteral("FX15AAA")));
    dialog->Entry.EndSetDefaultsEdit();
    dialog->Entry.SetReason(context.Value(QStringLiteral("reason"), QStringLiteral("No trace of VRM at DVLA")));
    dialog->SetBlacklistedVRM(dialog->Entry, true, false);
    return Owned(std::move(dialog));
}

// --set reason=TEXT: the reason typed.
std::unique_ptr<QWidget> Anonymise(ShotContext& context)
{
    auto dialog = std::make_unique<frmAnonymiseVq7>();
    dialog->txtReason()->setText(context.Value(QStringLiteral("reason"), QStringLiteral("Vehicle owner not pursued")));
    return Owned(std::move(dialog));
}

// --tab N: the tab shown (0 to 5).
std::unique_ptr<QWidget> Parameters(ShotContext& context)
{
    auto window = std::make_unique<frmParameters>(context.Database(), EditUserInWindow, EditBlacklistEntry);
    window->InitialiseForm();
    window->sstParameters()->setCurrentIndex(context.Value(QStringLiteral("tab"), QStringLiteral("0")).toInt());
    return Owned(std::move(window));
}

// --set name=USER: the user edited (default clerk1; "new" for a new one).
std::unique_ptr<QWidget> EditUser(ShotContext& context)
{
    auto enquirers = std::make_shared<Enquirers>();
    enquirers->SetDataSource(&context.Database());
    enquirers->Load();
    auto user = std::make_shared<User>();
    user->SetDataSource(&context.Database());
    const QString name = context.Value(QStringLiteral("name"), QStringLiteral("clerk1"));
    if (name != QLatin1String("new")) {
        user->LoadByUserName(name);
        if (user->IsNew())
            throw NevixError(ErrorNumbers::InvalidArgument, QStringLiteral("No user ") + name);
    }
    auto window = std::make_unique<frmEditUser>();
    window->SetEnquirers(enquirers);
    window->SetUser(user);
    return Owned(std::move(window));
}

// --step N: the set-up wizard on that step (0 to 4). Step 1 shows a
// communication test that found no service; step 2 the fixture's two
// enquirers.
std::unique_ptr<QWidget> Setup(ShotContext& context)
{
    const int step = context.Value(QStringLiteral("step"), QStringLiteral("0")).toInt();
    if (step < 0 || step > SetupWizard::LastStep)
        throw NevixError(ErrorNumbers::ObjectErrorBase, QStringLiteral("--step is 0 to 4"));
    auto window = std::make_unique<frmSetup>(context.Database(), UserEditor(), SetupRoads());
    window->InitialiseForm();
    window->Wizard().ChangeStep(step);
    if (step == 1) {
        // A loopback port that was free a moment ago: nothing answers there.
        QTcpServer probe;
        probe.listen(QHostAddress::LocalHost);
        Settings().SetNevixHost(QStringLiteral("http://127.0.0.1:%1/nevix").arg(probe.serverPort()));
        probe.close();
        window->txtIEUserID()->setText(QStringLiteral("nevix01"));
        window->txtIEPassword()->setText(QStringLiteral("Abcdefg1"));
        window->Wizard().ChangeStep(2);
    }
    return Owned(std::move(window));
}

// Exchanges that reach no service: each run writes the lines of a quiet
// send and receive into its log.
class DrawnExchanges : public Exchanges {
public:
    void DoImportTransmissionAndExport(LogLines& log, TransmissionResults& results) override
    {
        log.AddToLog(EventCodes::Information, QStringLiteral("0 import files using AB123/Import/VQ3*.IMP"));
        DoTransmissionAndExport(log, results);
    }
    void DoTransmissionAndExport(LogLines& log, TransmissionResults&) override
    {
        log.AddToLog(EventCodes::Information, QStringLiteral("30 Vehicle Enquiries sent"));
        log.AddToLog(EventCodes::Warning, QStringLiteral("Could not find a matched VQ3 for reference R0031"));
        log.AddToLog(EventCodes::Information, QStringLiteral("29 Vehicle Responses received"));
        log.AddToLog(EventCodes::Information, QStringLiteral("1 Debit Statement received"));
    }
    bool RunNevixCommsTest(LogLines&) override { return true; }
    bool TableMaintenance(std::shared_ptr<LogLines>&, bool, const QString&) override { return true; }
};

// Stores the row as set to run every hour from 08:00 to 17:00 on the
// given days, with its next run.
void StoreHourlyRow(CDataBase& db, const QString& id, const QString& days, const NullableDate& next)
{
    MiniScheduler row;
    row.SetDataSource(&db);
    row.SetScheduleID(id);
    row.Load();
    row.SetRunAtID(MiniScheduler::RunOnDays);
    row.SetDaysToRun(days);
    QString first = QStringLiteral("08:00");
    QString last = QStringLiteral("17:00");
    row.SetFirstTime(first);
    row.SetLastTime(last);
    row.SetEvery60Mins(true);
    row.SetNextRunDateTime(next);
    if (!next)
        row.SetNextRunDate(std::nullopt, true);
    row.Apply();
}

// The unattended console just after a run of its second row, drawn with
// the menu's icon as the program shows it.
std::unique_ptr<QWidget> Console(ShotContext& context)
{
    StoreHourlyRow(context.Database(), QStringLiteral("HEXCOM"), QStringLiteral("1111111"),
                   context.Now().addSecs(-60));
    auto window = std::make_unique<frmAutoExecute>(context.Database(), std::make_shared<DrawnExchanges>(),
                                                   ConsoleRoads{});
    window->setWindowIcon(DrawMenuIcon());
    window->InitialiseForm();
    window->Console().Tick();
    window->Console().Timer().stop();
    return Owned(std::move(window));
}

// --set option=0|1: the immediate connection, or the scheduler with
// HEXCIM set to run on weekdays every hour and switched on.
std::unique_ptr<QWidget> SendReceive(ShotContext& context)
{
    const bool scheduled = context.Value(QStringLiteral("option"), QStringLiteral("0")) == QLatin1String("1");
    if (scheduled)
        StoreHourlyRow(context.Database(), QStringLiteral("HEXCIM"), QStringLiteral("1111100"), std::nullopt);
    auto window = std::make_unique<frmTransmissionControl>(context.Database(), std::make_shared<DrawnExchanges>());
    window->setWindowIcon(DrawMenuIcon());
    window->InitialiseForm();
    if (scheduled) {
        window->optConnectType(1)->click();
        window->chkScheduler(1)->click();
        window->Control().Timer().stop();
    }
    return Owned(std::move(window));
}

ShotPicture Picture(const char* file, const char* user = "")
{
    return {QLatin1String(file), QLatin1String(user), {}};
}

std::vector<ShotPicture> ParametersPictures()
{
    std::vector<ShotPicture> pictures;
    for (int tab = 0; tab < 6; ++tab)
        pictures.push_back({QStringLiteral("parameters-tab%1").arg(tab), QString(),
                            {{QStringLiteral("tab"), QString::number(tab)}}});
    return pictures;
}

} // namespace

const std::vector<ShotEntry>& ShotEntries()
{
    static const std::vector<ShotEntry> entries = {
        // Splash and install mode: pictured by the real first start.
        {QStringLiteral("splash"), QStringLiteral("The splash window of a start"), Splash, {}},
        {QStringLiteral("about"), QStringLiteral("The about box"), About, {Picture("about")}},
        {QStringLiteral("install-mode"), QStringLiteral("The install-mode choice"), InstallModeChoice, {}},
        {QStringLiteral("logon"), QStringLiteral("The logon window"), Logon, {Picture("logon")}},
        {QStringLiteral("change-password"),
         QStringLiteral("The change of password"),
         ChangePassword,
         {Picture("change-password", "clerk1")}},
        {QStringLiteral("menu"),
         QStringLiteral("The main menu"),
         Menu,
         {Picture("menu-admin", "admin1"), Picture("menu-clerk", "clerk1")}},
        {QStringLiteral("shutdown"), QStringLiteral("The menu's shut-down question"), ShutDown,
         {Picture("shutdown")}},
        {QStringLiteral("close-autoexecute"),
         QStringLiteral("The unattended console's close question"),
         CloseAutoExecute,
         {Picture("close-autoexecute")}},
        {QStringLiteral("progress"), QStringLiteral("The progress window of an import or export"),
         Progress, {Picture("progress")}},
        {QStringLiteral("wait"), QStringLiteral("The please-wait window"), Wait, {Picture("wait")}},
        {QStringLiteral("help"), QStringLiteral("A topic of a compiled help file (--file, --topic)"), Help,
         {Picture("help-topic-1000")}},
        {QStringLiteral("info"), QStringLiteral("The information window"), Information, {Picture("info")}},
        {QStringLiteral("log-status"), QStringLiteral("The log window on the most recent run"), LogStatus,
         {Picture("log-status")}},
        {QStringLiteral("log-history"), QStringLiteral("The full log of the last three months"), LogHistory,
         {Picture("log-history")}},
        {QStringLiteral("scheduler-props"), QStringLiteral("The schedule editor (--row ID)"), SchedulerProps,
         {Picture("scheduler-props")}},
        {QStringLiteral("console"), QStringLiteral("The unattended console after a run"), Console,
         {Picture("console", "AUTOEXECUTE")}},
        {QStringLiteral("send-receive"),
         QStringLiteral("The send-and-receive screen (--set option=0 immediate, 1 scheduled)"),
         SendReceive,
         {Picture("send-receive-immediate"),
          {QStringLiteral("send-receive-scheduled"), QString(), {{QStringLiteral("option"), QStringLiteral("1")}}}}},
        {QStringLiteral("select-enquirer"), QStringLiteral("The choice of enquirer for an import (--set export=1)"),
         SelectEnquirer, {Picture("select-enquirer")}},
        {QStringLiteral("import-question"), QStringLiteral("The question of an enquiry import (--set message=)"),
         ImportQuestion, {Picture("import-question")}},
        {QStringLiteral("print-type"),
         QStringLiteral("The print dialog (--set mode=enquiries|responses|statements, option=N)"),
         PrintType,
         {Picture("print-type-enquiries"),
          {QStringLiteral("print-type-responses"), QString(),
           {{QStringLiteral("mode"), QStringLiteral("responses")}, {QStringLiteral("option"), QStringLiteral("3")}}},
          {QStringLiteral("print-type-statements"), QString(), {{QStringLiteral("mode"), QStringLiteral("statements")}}}}},
        {QStringLiteral("enquiries"),
         QStringLiteral("The enquiry screen (--set select=N, mode=edit|add, sort=vrm|date, height=PIXELS)"), Enquiries,
         {{QStringLiteral("enquiries"), QString(), {{QStringLiteral("select"), QStringLiteral("3")}}},
          {QStringLiteral("enquiries-edit"), QString(),
           {{QStringLiteral("select"), QStringLiteral("12")}, {QStringLiteral("mode"), QStringLiteral("edit")}}},
          {QStringLiteral("enquiries-vrm-z-a"), QStringLiteral("clerk1"), {{QStringLiteral("sort"), QStringLiteral("vrm")}}}}},
        {QStringLiteral("responses"), QStringLiteral("The response screen (--set vrm=MARK: the response shown)"),
         Responses,
         {{QStringLiteral("responses-private"), QString(), {{QStringLiteral("vrm"), QStringLiteral("FX03AAA")}}},
          {QStringLiteral("responses-company"), QString(), {{QStringLiteral("vrm"), QStringLiteral("FX11AAA")}}},
          {QStringLiteral("responses-legacy"), QString(), {{QStringLiteral("vrm"), QStringLiteral("FX07AAA")}}}}},
        {QStringLiteral("statements"), QStringLiteral("The debit statement screen"), Statements,
         {Picture("statements")}},
        {QStringLiteral("blacklist-entry"),
         QStringLiteral("A new blacklist entry from a response (--set vrm=, reason=)"), BlacklistEntry,
         {Picture("blacklist-entry")}},
        {QStringLiteral("anonymise"), QStringLiteral("The response anonymising dialog (--set reason=)"), Anonymise,
         {Picture("anonymise")}},
        {QStringLiteral("parameters"), QStringLiteral("Admin Functions, the parameters screen (--tab N, 0 to 5)"),
         Parameters, ParametersPictures()},
        {QStringLiteral("edit-user"), QStringLiteral("The user editor (--set name=USER, or new)"), EditUser,
         {Picture("edit-user")}},
        // Step 0 is pictured by the real first start (set-up-wizard).
        {QStringLiteral("setup"),
         QStringLiteral("The set-up wizard (--step 0 to 4)"),
         Setup,
         {{QStringLiteral("set-up-wizard-step1"), QString(), {{QStringLiteral("step"), QStringLiteral("1")}}},
          {QStringLiteral("set-up-wizard-step2"), QString(), {{QStringLiteral("step"), QStringLiteral("2")}}},
          {QStringLiteral("set-up-wizard-step3"), QString(), {{QStringLiteral("step"), QStringLiteral("3")}}},
          {QStringLiteral("set-up-wizard-step4"), QString(), {{QStringLiteral("step"), QStringLiteral("4")}}}}},
    };
    return entries;
}

const ShotEntry* FindShotEntry(const QString& name)
{
    for (const ShotEntry& entry : ShotEntries()) {
        if (entry.Name.compare(name, Qt::CaseInsensitive) == 0)
            return &entry;
    }
    return nullptr;
}
