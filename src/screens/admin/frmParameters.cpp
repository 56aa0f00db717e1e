#include "screens/admin/frmParameters.h"

#include "accounts/CurrentUser.h"
#include "accounts/SetupHelpers.h"
#include "accounts/User.h"
#include "core/ApplicationSettings.h"
#include "core/AskTellUser.h"
#include "core/Utils.h"
#include "core/qt/CentreForm.h"
#include "database/CDataBase.h"
#include "help/HHelper.h"
#include "help/HelpTopics.h"
#include "platform/NevixError.h"
#include "screens/admin/ClientTab.h"
#include "screens/admin/EnquirersTab.h"
#include "screens/admin/MaintenanceTab.h"
#include "screens/admin/MenuPictures.h"
#include "screens/admin/ParametersData.h"
#include "screens/admin/ServiceTab.h"
#include "screens/admin/UsersTab.h"
#include "screens/common/HelpButton.h"
#include "screens/common/ScreenHelpers.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QTabWidget>
#include <QTimer>
#include <QVBoxLayout>

#include <utility>
#include <vector>

namespace {
const char* const Tag = "Tag";
const QString Caps = QStringLiteral("CAPS");

// The members' states before a save, to be put back when it fails, so that
// saving again writes everything again.
template <typename Collection>
void KeepStates(const Collection& members, std::vector<std::pair<Record*, std::unique_ptr<RecordState>>>& states)
{
    for (const auto& member : members)
        states.emplace_back(member.get(), member->SaveState());
}
} // namespace

frmParameters::frmParameters(CDataBase& database, UserEditor userEditor, BlacklistEntryEditor blacklistEditor,
                             QWidget* parent)
    : QWidget(parent), m_data(std::make_unique<ParametersData>(database)),
      m_helpContextId(HelpTopics::ParametersTab(0)), m_sstParameters(new QTabWidget(this)),
      m_cmdOk(new QPushButton(QStringLiteral("&Ok"), this)), m_cmdCancel(new QPushButton(QStringLiteral("&Cancel"), this)),
      m_cmdHelp(new QPushButton(QStringLiteral("&Help"), this)), m_imgStrap(new QLabel(this)),
      m_tmrForCaps(new QTimer(this))
{
    setObjectName(QStringLiteral("frmParameters"));
    setWindowTitle(QStringLiteral("NEVIX - ADMIN FUNCTIONS"));
    m_sstParameters->setObjectName(QStringLiteral("sstParameters"));
    m_cmdOk->setObjectName(QStringLiteral("cmdOk"));
    m_cmdCancel->setObjectName(QStringLiteral("cmdCancel"));
    m_cmdHelp->setObjectName(QStringLiteral("cmdHelp"));
    m_imgStrap->setObjectName(QStringLiteral("imgStrap"));
    m_tmrForCaps->setObjectName(QStringLiteral("tmrForCaps"));
    m_tmrForCaps->setInterval(100);

    m_maintenance = new MaintenanceTab(*m_data, [this] { m_sstParameters->setCurrentIndex(MaintenanceTabIndex); });
    m_service = new ServiceTab(*m_data);
    m_enquirers = new EnquirersTab(*m_data, *this);
    m_blacklist = new BlacklistTab(*m_data, std::move(blacklistEditor));
    m_users = new UsersTab(*m_data, *this, std::move(userEditor));
    m_client = new ClientTab;
    const std::pair<QWidget*, const char*> tabs[] = {
        {m_maintenance, "Data &Maintenance"}, {m_service, "&Nevix Service"}, {m_enquirers, "&Enquirers"},
        {m_blacklist, "&Vehicle Blacklist"},  {m_users, "Users"},            {m_client, "Nevix Client"}};
    for (const auto& [frame, caption] : tabs) {
        // Each frame on a page of its own, with room around it.
        auto* page = new QWidget;
        auto* pageLayout = new QVBoxLayout(page);
        pageLayout->addWidget(frame);
        m_sstParameters->addTab(page, QLatin1String(caption));
    }

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_cmdHelp);
    buttons->addStretch();
    buttons->addWidget(m_cmdOk);
    buttons->addWidget(m_cmdCancel);
    auto* top = new QHBoxLayout;
    top->addWidget(m_imgStrap);
    top->addStretch();
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(m_sstParameters, 1);
    layout->addLayout(buttons);
    resize(680, 500);

    connect(m_sstParameters, &QTabWidget::currentChanged, this, [this] { sstParameters_Click(m_currentTab); });
    connect(m_cmdOk, &QPushButton::clicked, this, &frmParameters::cmdOk_Click);
    connect(m_cmdCancel, &QPushButton::clicked, this, &frmParameters::cmdCancel_Click);
    connect(m_cmdHelp, &QPushButton::clicked, this, &frmParameters::cmdHelp_Click);
    connect(m_tmrForCaps, &QTimer::timeout, this, &frmParameters::tmrForCaps_Timer);
}

frmParameters::~frmParameters()
{
    // A window that never closed still gives the lock back.
    Form_Unload(false);
}

QComboBox* frmParameters::cboEnquirer() const { return m_enquirers->cboEnquirer(); }
QLabel* frmParameters::lblEnquirerName() const { return m_enquirers->lblEnquirerName(); }
QCheckBox* frmParameters::chkIsDefaultEnquirer() const { return m_enquirers->chkIsDefaultEnquirer(); }
QLabel* frmParameters::lblEnquirerId() const { return m_enquirers->lblEnquirerId(); }
QLabel* frmParameters::lblIntermediaryId() const { return m_enquirers->lblIntermediaryId(); }
QLineEdit* frmParameters::txtEnqFolder(int index) const { return m_enquirers->txtEnqFolder(index); }
QWidget* frmParameters::frmEnqFolders() const { return m_enquirers->frmEnqFolders(); }
QComboBox* frmParameters::cboReasonForEnquiry() const { return m_enquirers->cboReasonForEnquiry(); }
QLabel* frmParameters::lblDefaultReason() const { return m_enquirers->lblDefaultReason(); }
QListWidget* frmParameters::lstUsers() const { return m_users->lstUsers(); }

QWidget* frmParameters::fraParams(int index) const
{
    const QWidget* frames[] = {m_maintenance, m_service, m_enquirers, m_blacklist, m_users, m_client};
    return index >= 0 && index < 6 ? const_cast<QWidget*>(frames[index]) : nullptr;
}

void frmParameters::InitialiseForm()
{
    const auto user = GetCurrentUser();
    if (!user)
        throw NevixError(ErrorNumbers::ObjectErrorBase, QStringLiteral("No user is logged on"));
    user->Load();
    m_data->userName = user->UserName();
    m_data->Load();
    {
        const QSignalBlocker blocker(m_sstParameters);
        m_sstParameters->setCurrentIndex(MaintenanceTabIndex);
        m_currentTab = MaintenanceTabIndex;
    }
    PopulateDataMaintenance();
    m_service->Fill();
    m_client->Fill(m_data->parameters);
    Settings().SetRunInTestMode(false);
    m_imgStrap->setPixmap(DrawMenuPicture(MenuPicture::Admin));
    m_helpContextId = HelpTopics::ParametersTab(MaintenanceTabIndex);
    HideHelpButton(*this, m_helpContextId);
    CentreForm(*this);
}

void frmParameters::PopulateDataMaintenance()
{
    m_maintenance->PopulateDataMaintenance();
    m_client->chkDoMainentanceAtStartup()->setChecked(m_data->parameters.AutoMaintenanceAtStartUp());
}

void frmParameters::sstParameters_Click(int previousTab)
{
    Q_UNUSED(previousTab);
    const int tab = m_sstParameters->currentIndex();
    m_currentTab = tab;
    m_helpContextId = HelpTopics::ParametersTab(tab);
    m_tmrForCaps->stop();
    m_tmrForCaps->setProperty(Tag, QString());
    try {
        switch (tab) {
        case ServiceTabIndex:
            m_tmrForCaps->setProperty(Tag, Caps);
            m_tmrForCaps->start();
            break;
        case UsersTabIndex:
            m_users->Refill();
            break;
        case EnquirersTabIndex:
            m_enquirers->Refill();
            break;
        case BlacklistTabIndex:
            m_blacklist->RefreshBlackList();
            break;
        default:
            break;
        }
    } catch (const NevixError& e) {
        TellUserWarning(QStringLiteral("Unable to show ") + m_sstParameters->tabText(tab).remove(u'&') +
                            QStringLiteral(" because:"),
                        e.Description());
    }
}

void frmParameters::tmrForCaps_Timer()
{
    if (m_tmrForCaps->property(Tag).toString() != Caps)
        return;
    m_service->ShowCapsLock(IsCapsLockOn());
}

bool frmParameters::ValidateTab(int tab)
{
    switch (tab) {
    case MaintenanceTabIndex:
        return m_maintenance->ValidateMaintenanceTerms();
    case EnquirersTabIndex:
        return ValidateEnquirerSetup(*m_data->enquirers);
    case UsersTabIndex:
        return CheckAdminUserHasAllEnquirers(m_data->users, *m_data->enquirers);
    case ClientTabIndex:
        return m_client->ValidateGeneral();
    default:
        return true;
    }
}

bool frmParameters::SaveParameters()
{
    CDataBase& db = m_data->db;
    try {
        m_enquirers->StoreFolders();
        const int start = m_sstParameters->currentIndex();
        int tab = start;
        do {
            if (!ValidateTab(tab))
                return false;
            tab = (tab + 1) % m_sstParameters->count();
        } while (tab != start);

        std::vector<std::pair<Record*, std::unique_ptr<RecordState>>> before;
        before.emplace_back(&m_data->parameters, m_data->parameters.SaveState());
        KeepStates(*m_data->enquirers, before);
        KeepStates(m_data->users, before);
        try {
            // Every entry is read before anything is written: a box that
            // holds no number stops the save before it begins.
            m_maintenance->WriteTo();
            m_client->WriteTo(m_data->parameters);
            m_data->parameters.SetRunningInTestMode(false);
            db.BeginTrans();
            m_data->enquirers->Apply();
            m_data->users.Apply();
            m_data->parameters.Apply();
            db.CommitTrans();
        } catch (...) {
            db.RollbackAll();
            for (const auto& [record, state] : before)
                record->RestoreState(*state);
            throw;
        }
        Settings().SetRunInTestMode(m_data->parameters.RunningInTestMode());
        return true;
    } catch (const NevixError& e) {
        db.RollbackAll();
        TellUserWarning(QStringLiteral("Unable to save settings because:"), e.Description());
        return false;
    }
}

void frmParameters::cmdOk_Click()
{
    if (SaveParameters())
        close();
}

void frmParameters::cmdCancel_Click()
{
    if (CanClose())
        close();
}

void frmParameters::cmdHelp_Click()
{
    ShowHelpTopic(m_helpContextId);
}

void frmParameters::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_F1) {
        cmdHelp_Click();
        return;
    }
    QWidget::keyPressEvent(event);
}

void frmParameters::closeEvent(QCloseEvent* event)
{
    // An action under way lets events run: the window stays until it ends.
    if (!CanClose() || m_data->busy > 0) {
        event->ignore();
        return;
    }
    Form_Unload(true);
    event->accept();
}

void frmParameters::Form_Unload(bool warn)
{
    if (m_unloaded)
        return;
    m_unloaded = true;
    m_tmrForCaps->stop();
    bool held = false;
    try {
        if (const auto user = GetCurrentUser())
            user->Load();
        CommsLock& lock = m_data->lock;
        lock.ReleaseAdminLock(m_data->userName, &m_data->db);
        lock.Load(LockTypes::Administration);
        held = !m_data->userName.isEmpty() &&
               lock.LockedBy().compare(m_data->userName, Qt::CaseInsensitive) == 0 &&
               lock.ComputerName().compare(GetThisComputerName(), Qt::CaseInsensitive) == 0;
    } catch (const NevixError&) {
        // Whether it went cannot be told: the user must hear of it.
        held = true;
    }
    if (held && warn)
        TellUserWarning(QStringLiteral("Unable to clear the Admin Lock when leaving Admin Functions."), QString());
}
