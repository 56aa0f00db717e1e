// The response screen's list: loading, searching, sorting, the selection
// and the details of the selected response.
#include "screens/records/frmVQ7.h"

#include "accounts/CurrentUser.h"
#include "accounts/Enquirers.h"
#include "accounts/User.h"
#include "core/ApplicationSettings.h"
#include "core/AskTellUser.h"
#include "core/PreservePointer.h"
#include "core/Utils.h"
#include "core/qt/FormWidgets.h"
#include "database/CDataBase.h"
#include "database/GlobalDatabase.h"
#include "help/HelpTopics.h"
#include "records/VQ7Responses.h"
#include "screens/common/HelpButton.h"
#include "screens/records/Reported.h"
#include "screens/records/ResponseListModel.h"
#include "screens/records/ScreenControls.h"
#include "screens/records/UserEnquirers.h"
#include "transfer/ExportSteps.h"

#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QFocusEvent>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScopeGuard>
#include <QTableView>

namespace {
const QString AscendingOrder = QStringLiteral("vrm asc, Date_Of_Response");
const QString DescendingOrder = QStringLiteral("vrm desc, Date_Of_Response");
const QString LoadFailed = QStringLiteral("Error loading responses");
} // namespace

void frmVQ7::InitialiseForm()
{
    PreservePointer pointer;
    pointer.SetHourGlass(this);
    ApplyControlLook();
    CDataBase& db = GlobalDatabase();
    try {
        db.BeginTrans();
        const std::shared_ptr<User> user = RequireCurrentUser();
        user->Load();
        const bool filtered = EnquirersFiltered(*user->Enquirers(), db);
        m_lblEnquirerFilters->setVisible(filtered);
        m_cmdShowEnquirers->setVisible(filtered);
        m_responses->SetDataSource(&db, Settings().RunInTestMode());
        m_blacklist.SetDataSource(&db);
        m_blacklist.Load();
        m_txtLastDays->setText(Settings().VQ7SearchRecievedInLastDays());
        m_cboMaxToLoad->setCurrentIndex(1);
        FillUpGrid(QString(), QString());
        ShowSelected();
        m_sortAscending = true;
        db.CommitTrans();
        HideHelpButton(*this, HelpTopics::Responses);
    } catch (...) {
        TellUserCritical(QStringLiteral("Error reported loading VQ7 form"), CurrentErrorDescription());
        try {
            db.Rollback();
        } catch (...) {
        }
    }
}

bool frmVQ7::HasExportable() const
{
    return m_responses->CountExportable(UserEnquirerIds(), false) > 0;
}

void frmVQ7::ClearGrid()
{
    m_model->SetRows({}, m_model->headerData(1, Qt::Horizontal).toString());
}

void frmVQ7::FillUpGrid(const QString& VRM, const QString& SortOrder)
{
    PreservePointer pointer;
    pointer.SetHourGlass(this);
    m_filling = true;
    const auto done = qScopeGuard([this] { m_filling = false; });
    ClearGrid();
    // The grid needs the keys and marks alone; the list holds the responses
    // shown, each read in full when it is shown.
    std::vector<VQ7ListRow> rows = m_responses->ListRows(
        UserEnquirerIds(), VRM, m_chkShowErrs->isChecked() ? std::optional<bool>(true) : std::nullopt,
        m_txtLastDays->text(), SortOrder, m_cboMaxToLoad->currentText());
    m_responses->Clear();
    m_model->SetRows(std::move(rows), ResponseListHeading(SortOrder));
    m_grid->setCurrentIndex(m_model->index(0, 1));
    FitListColumn();
    SetFrameCaption();
}

void frmVQ7::FitListColumn()
{
    // The column gives way to the scroll bar while not every row fits.
    const int rowsHigh = m_model->rowCount() * m_grid->verticalHeader()->defaultSectionSize();
    const bool scrolls = rowsHigh > m_grid->viewport()->height();
    m_grid->setColumnWidth(1, TwipsToPixels(scrolls ? 2420 : 2660));
}

void frmVQ7::SetFrameCaption()
{
    m_fraLoaded->setTitle(CountText(QString(), m_model->Records()) + QStringLiteral(" of ") +
                          CountText(QStringLiteral("response"), m_responses->TopAllCount()));
}

void frmVQ7::SortByVRM(bool Ascending)
{
    FillUpGrid(m_txtVRMSearch->text(), Ascending ? AscendingOrder : DescendingOrder);
    ShowSelected();
}

void frmVQ7::grdVQ7_HeadingClick(int)
{
    Reported(LoadFailed, [this] { SortByVRM(m_sortAscending); });
    m_sortAscending = !m_sortAscending;
}

void frmVQ7::ShowSelected()
{
    Reported(QStringLiteral("Error setting up VQ7 Response screen"), [this] {
        std::shared_ptr<VQ7> response;
        if (m_model->Records() >= 1)
            response = GetSelectedVQ7();
        ShowVQ7Details(response.get());
    });
}

std::shared_ptr<VQ7> frmVQ7::GetSelectedVQ7()
{
    PreservePointer pointer;
    pointer.SetHourGlass(this);
    const QString key = m_model->Key(m_grid->currentIndex().row());
    std::shared_ptr<VQ7> response;
    Reported(QStringLiteral("Could not connect to the database:"), [&] {
        // A response shown before is read again in place, so that an edit
        // of it is checked against the row as it was shown.
        std::shared_ptr<VQ7> item = m_responses->Exists(key) ? m_responses->Item(key) : std::make_shared<VQ7>();
        item->SetDataSource(&GlobalDatabase());
        if (!key.isEmpty()) {
            item->SetID(key);
            item->Load();
        }
        if (key.isEmpty() || item->IsNew()) {
            TellUserWarning(QStringLiteral("Cannot find the selected VQ7 (") + key + u')', QString());
            m_responses->Remove(key);
            return;
        }
        if (!m_responses->Exists(key))
            m_responses->Add(item);
        response = std::move(item);
    });
    return response;
}

void frmVQ7::ShowVQ7Details(const VQ7* response)
{
    const bool blacklisted = response && m_blacklist.Exists(response->VRM());
    const ResponseDetails details = MakeResponseDetails(response, blacklisted, response && HasExportable());
    if (!details.HasResponse) {
        m_lstErrors->clear();
        for (QWidget* box : findChildren<QWidget*>()) {
            if (box == m_txtVRMSearch || box == m_txtLastDays)
                continue;
            if (auto* line = qobject_cast<QLineEdit*>(box))
                line->clear();
            else if (auto* text = qobject_cast<QPlainTextEdit*>(box))
                text->clear();
        }
        for (QWidget* control : std::initializer_list<QWidget*>{m_cmdAddToBlacklist, m_txtComments, m_cmdPrint,
                                                                 m_cmdExport, m_cmdAnonymise})
            control->setEnabled(false);
        m_lblBlackList->setVisible(false);
        return;
    }
    m_lblBlackList->setVisible(details.Blacklisted);
    m_cmdAddToBlacklist->setEnabled(true);
    m_cmdAddToBlacklist->setText(details.BlacklistCaption());
    m_cmdPrint->setEnabled(true);
    m_cmdAnonymise->setEnabled(true);
    m_cmdExport->setEnabled(details.CanExport);
    m_txtComments->setEnabled(true);
    for (auto box = m_boxes.cbegin(); box != m_boxes.cend(); ++box)
        box.value()->setText(details.Text(box.key()));
    m_txtTaxStatus->setPlainText(details.Text(QStringLiteral("txtTaxStatus")));
    m_txtTaxCategory->setPlainText(details.Text(QStringLiteral("txtTaxCategory")));
    for (QWidget* widget : m_legacy)
        widget->setVisible(details.LegacyVisible);
    m_lstErrors->clear();
    m_lstErrors->addItems(details.DvlaLines);
    SetKeeperLayout(details.Keeper);
    // The box holds a line break as one character.
    m_txtComments->setPlainText(QString(details.Text(QStringLiteral("txtComments"))).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
}

void frmVQ7::cmdSearch_Click()
{
    Reported(LoadFailed, [this] {
        // As leaving the box would have cleaned it.
        m_txtVRMSearch->setText(m_txtVRMSearch->text().trimmed().toUpper().remove(u' '));
        FillUpGrid(m_txtVRMSearch->text(), QString());
        SelectCurrentRow();
    });
}

void frmVQ7::cmdClearSearch_Click()
{
    m_txtVRMSearch->clear();
    m_txtLastDays->clear();
    cmdSearch_Click();
}

void frmVQ7::chkShowErrs_Click()
{
    cmdSearch_Click();
}

void frmVQ7::cmdShowEnquirers_Click()
{
    Reported(QStringLiteral("Error showing your enquirers"),
             [] { ShowUserEnquirers(*RequireCurrentUser()->Enquirers()); });
}

bool frmVQ7::eventFilter(QObject* watched, QEvent* event)
{
    const QEvent::Type type = event->type();
    if (watched == m_grid->viewport() && type == QEvent::Resize)
        FitListColumn();
    if (type != QEvent::FocusIn && type != QEvent::FocusOut)
        return QWidget::eventFilter(watched, event);
    const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
    // Another window or a menu taking the keyboard is not leaving the box.
    const bool leaves = type == QEvent::FocusOut && reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason;
    if (watched == m_txtVRMSearch || watched == m_txtLastDays) {
        if (type == QEvent::FocusIn)
            SetSearchDefault(true);
        else if (watched == m_txtVRMSearch)
            m_txtVRMSearch->setText(m_txtVRMSearch->text().trimmed().toUpper().remove(u' '));
    } else if (watched == m_txtComments) {
        if (type == QEvent::FocusIn) {
            SetSearchDefault(false);
            SelectTextBoxText(*m_txtComments, false, true);
            m_txtComments->setProperty("Tag", m_model->Key(m_grid->currentIndex().row()));
        } else if (leaves) {
            SaveComments();
        }
    }
    return QWidget::eventFilter(watched, event);
}
