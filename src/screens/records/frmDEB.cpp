// The statement screen's window, list and details.
#include "screens/records/frmDEB.h"

#include "accounts/CurrentUser.h"
#include "accounts/Enquirers.h"
#include "accounts/User.h"
#include "core/ApplicationSettings.h"
#include "core/AskTellUser.h"
#include "core/PreservePointer.h"
#include "database/GlobalDatabase.h"
#include "help/HHelper.h"
#include "help/HelpTopics.h"
#include "platform/NevixError.h"
#include "records/CommonRoutines.h"
#include "records/DebitStatements.h"
#include "screens/common/HelpButton.h"
#include "screens/records/RecordScreenBanner.h"
#include "screens/records/Reported.h"
#include "screens/records/ScreenControls.h"
#include "screens/records/StatementDetails.h"
#include "screens/records/StatementListModel.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScopeGuard>
#include <QScrollBar>
#include <QTableView>
#include <QVBoxLayout>

namespace {
constexpr int TwipsPerPixel = 15;
constexpr int DateColumnWidth = 1640 / TwipsPerPixel;

struct Box {
    const char* box;
    const char* label;
    const char* caption;
};
} // namespace

frmDEB::frmDEB(QWidget* parent, RecordScreenTools tools)
    : QWidget(parent), m_tools(std::move(tools)), m_statements(std::make_unique<DebitStatements>()),
      m_model(new StatementListModel(this)), m_grdDEB(new QTableView(this))
{
    setObjectName(QStringLiteral("frmDEB"));
    setWindowTitle(QStringLiteral("NEVIX - DEBIT STATEMENTS"));
    setFont(QFont(QStringLiteral("Arial"), 8));
    BuildWindow();
}

frmDEB::~frmDEB() = default;

void frmDEB::BuildWindow()
{
    QLabel* banner = MakeRecordScreenBanner(*this, QStringLiteral("Debit Statements"));
    QGroupBox* list = MakeFrame(this, "Frame2", "Debit Statements");
    SetUpRecordGrid(*m_grdDEB, m_model, "grdDEB");
    for (int column : {1, 2})
        m_grdDEB->setColumnWidth(column, DateColumnWidth);
    m_grdDEB->setFixedWidth(2 * DateColumnWidth + m_grdDEB->verticalScrollBar()->sizeHint().width() + 6);
    (new QVBoxLayout(list))->addWidget(m_grdDEB);

    QGroupBox* statement = MakeFrame(this, "Frame1", "Statement");
    const auto frame = [&](const char* name, const char* caption, std::initializer_list<Box> boxes) {
        QGroupBox* inner = MakeFrame(statement, name, caption);
        for (const Box& b : boxes)
            m_boxes.insert(QLatin1String(b.box), AddLabelledBox(inner, b.box, b.label, b.caption));
        return inner;
    };
    QGroupBox* period = frame("Frame3", "Period",
                              {{"txtDEBSTAReference", "lblDEBSTAReference", "Reference"},
                               {"txtEnquirerName", "Label1", "Enquirer"},
                               {"txtIssueDate", "lblIssueDate", "Issue Date"},
                               {"txtTransactionDate", "lblTransactionDate", "Transaction Date"},
                               {"txtPeriodStart", "lblPeriodStart", "Period Start"},
                               {"txtPeriodEnd", "lblPeriodEnd", "Period End"}});
    QGroupBox* charges = frame("Frame4", "Enquiries and Charges",
                               {{"txtTotalAmount", "lblTotalAmount", "Total Amount"},
                                {"txtCharges", "lblCharges", "Number of Charges"},
                                {"txtRateOfCharge", "lblRateOfCharge", "Rate"},
                                {"txtEnquiries", "lblEnquiries", "Number of Enquiries"},
                                {"txtVariance", "lblVariance", "Variance"}});
    QGroupBox* accounts = frame("Frame5", "Account Details",
                                {{"txtTPAccountName", "lblTPAccountName", "Your Account Name"},
                                 {"txtTPAccountNumber", "lblTPAccountNumber", "Your Account Number"},
                                 {"txtTPAccountSortCode", "lblTPAccountSortCode", "Your Account Sortcode"},
                                 {"txtDVLAAccountName", "lblDVLAAccountName", "DVLA Account Name"},
                                 {"txtDVLAAccountNumber", "lblDVLAAccountNumber", "DVLA Account Number"},
                                 {"txtDVLAAccountSortCode", "lblDVLAAccountSortCode", "DVLA Account Sortcode"}});
    auto* inside = new QGridLayout(statement);
    inside->addWidget(period, 0, 0);
    inside->addWidget(charges, 0, 1);
    inside->addWidget(accounts, 1, 0, 1, 2);
    auto* stamps = new QHBoxLayout;
    for (const Box& b : {Box{"txtWhenPrepared", "lblWhenPrepared", " When Prepared"},
                         Box{"txtWhenReceived", "lblWhenReceived", " When Received"}}) {
        QLineEdit* box = MakeBoldBox(statement, b.box);
        QLabel* label = MakeLabel(statement, b.label, b.caption);
        label->setBuddy(box);
        stamps->addWidget(label);
        stamps->addWidget(box, 1);
        m_boxes.insert(QLatin1String(b.box), box);
    }
    inside->addLayout(stamps, 2, 0, 1, 2);
    inside->setRowStretch(3, 1);

    auto* body = new QHBoxLayout;
    body->addWidget(list);
    body->addWidget(statement, 1);

    m_cmdExport = MakeButton(this, "cmdExport", "&Export");
    m_cmdPrint = MakeButton(this, "cmdPrint", "&Print");
    m_cmdReturn = MakeButton(this, "cmdReturn", "&Close");
    m_cmdHelp = MakeButton(this, "cmdHelp", "&Help");
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    for (QPushButton* button : {m_cmdExport, m_cmdPrint, m_cmdHelp, m_cmdReturn})
        buttons->addWidget(button);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(banner);
    layout->addLayout(body, 1);
    layout->addLayout(buttons);

    connect(m_cmdExport, &QPushButton::clicked, this, &frmDEB::cmdExport_Click);
    connect(m_cmdPrint, &QPushButton::clicked, this, &frmDEB::cmdPrint_Click);
    connect(m_cmdReturn, &QPushButton::clicked, this, &frmDEB::cmdReturn_Click);
    connect(m_cmdHelp, &QPushButton::clicked, this, &frmDEB::cmdHelp_Click);
    connect(m_grdDEB->horizontalHeader(), &QHeaderView::sectionClicked, this, &frmDEB::grdDEB_HeadingClick);
    connect(m_grdDEB->selectionModel(), &QItemSelectionModel::currentRowChanged, this, [this] {
        if (!m_filling)
            ShowDEBDetails();
    });
}

void frmDEB::ApplyControlLook()
{
    ApplyReadOnlyLook(*this);
}

QString frmDEB::UserEnquirerIds() const
{
    const std::shared_ptr<User> user = GetCurrentUser();
    if (!user)
        throw NevixError(ErrorNumbers::ObjectErrorBase, QStringLiteral("No user is logged on"));
    return user->Enquirers()->GetEnquirerIdsAsString();
}

void frmDEB::InitialiseForm()
{
    ApplyControlLook();
    const std::shared_ptr<User> user = GetCurrentUser();
    if (!user)
        throw NevixError(ErrorNumbers::ObjectErrorBase, QStringLiteral("No user is logged on"));
    user->Load();
    m_statements->SetDataSource(&GlobalDatabase(), Settings().RunInTestMode());
    FillUpGrid();
    m_cmdPrint->setEnabled(m_statements->Count() >= 1);
    m_cmdExport->setEnabled(m_statements->CountExportable(UserEnquirerIds()) >= 1);
    HideHelpButton(*this, HelpTopics::DebitStatements);
}

void frmDEB::FillUpGrid(const QString& SortOrder)
{
    PreservePointer pointer;
    pointer.SetHourGlass(this);
    m_filling = true;
    const auto done = qScopeGuard([this] { m_filling = false; });
    m_model->SetStatements(nullptr, SortOrder);
    m_statements->Load(UserEnquirerIds(), SortOrder);
    m_model->SetStatements(m_statements.get(), SortOrder);
    m_grdDEB->setColumnHidden(0, true);
    for (int column : {1, 2})
        m_grdDEB->setColumnWidth(column, DateColumnWidth);
    m_grdDEB->setCurrentIndex(m_model->index(0, 1));
}

void frmDEB::SortByPeriodStart()
{
    FillUpGrid(m_startAscending ? QStringLiteral("Charge_Period_Start asc") : QStringLiteral("Charge_Period_Start desc"));
    ShowDEBDetails();
}

void frmDEB::SortByPeriodEnd()
{
    FillUpGrid(m_endAscending ? QStringLiteral("Charge_Period_End asc") : QStringLiteral("Charge_Period_End desc"));
    ShowDEBDetails();
}

void frmDEB::grdDEB_HeadingClick(int column)
{
    Reported(QStringLiteral("Error loading debit statements"), [&] {
        if (column <= 1) {
            SortByPeriodStart();
            m_startAscending = !m_startAscending;
        } else {
            SortByPeriodEnd();
            m_endAscending = !m_endAscending;
        }
    });
}

void frmDEB::SelectCurrentRow()
{
    const int row = std::max(0, m_grdDEB->currentIndex().row());
    m_filling = true;
    m_grdDEB->setCurrentIndex(m_model->index(row, 1));
    m_grdDEB->selectRow(row);
    m_filling = false;
    m_grdDEB->setFocus();
    ShowDEBDetails();
}

std::shared_ptr<DebitStatement> frmDEB::GetSelectedDEB()
{
    PreservePointer pointer;
    pointer.SetHourGlass(this);
    const int row = m_grdDEB->currentIndex().row();
    const QString key = m_model->Key(row);
    std::shared_ptr<DebitStatement> statement;
    Reported(QStringLiteral("Could not connect to the database:"), [&] {
        // The row's own statement: two of an enquirer on one day share a key.
        if (row < 0 || row >= m_statements->Count()) {
            TellUserWarning(QStringLiteral("Cannot find the selected Debit Statement (") + key + u')', QString());
            return;
        }
        std::shared_ptr<DebitStatement> found = m_statements->Item(row + 1);
        found->SetDataSource(&GlobalDatabase());
        found->Load();
        statement = std::move(found);
    });
    return statement;
}

void frmDEB::ShowDEBDetails()
{
    if (m_statements->Count() < 1)
        return;
    std::shared_ptr<DebitStatement> statement = GetSelectedDEB();
    if (!statement)
        return;
    m_current = statement;
    Reported(QStringLiteral("Error showing the debit statement"), [&] {
        const int32_t sent = CountEnquiriesSentInPeriod(statement->ChargePeriodStart(), statement->ChargePeriodEnd());
        const StatementDetails details = MakeStatementDetails(*statement, sent);
        for (auto box = m_boxes.cbegin(); box != m_boxes.cend(); ++box)
            box.value()->setText(details.Text(box.key()));
    });
}

void frmDEB::cmdHelp_Click()
{
    ShowHelpTopic(HelpTopics::DebitStatements);
}

void frmDEB::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_F1) {
        cmdHelp_Click();
        return;
    }
    QWidget::keyPressEvent(event);
}

bool frmDEB::event(QEvent* event)
{
    if (event->type() == QEvent::WindowActivate && !m_activated) {
        m_activated = true;
        SelectCurrentRow();
    }
    return QWidget::event(event);
}

void frmDEB::cmdReturn_Click()
{
    close();
}
