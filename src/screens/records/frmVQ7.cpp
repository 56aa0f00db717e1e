// The response screen's window: its controls, their look and its life.
#include "screens/records/frmVQ7.h"

#include "core/ApplicationSettings.h"
#include "core/FormUtilities.h"
#include "core/PreservePointer.h"
#include "core/qt/FormWidgets.h"
#include "help/HelpTopics.h"
#include "records/VQ7Responses.h"
#include "screens/records/CommentBox.h"
#include "screens/records/ResponseListModel.h"
#include "screens/records/ScreenControls.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

namespace {
void Tag(QWidget* widget, const char* tag)
{
    widget->setProperty("Tag", QLatin1String(tag));
}
} // namespace

frmVQ7::frmVQ7(QWidget* parent, RecordScreenTools tools)
    : RecordScreen(parent, std::move(tools), HelpTopics::Responses), m_responses(std::make_unique<VQ7Responses>()),
      m_model(new ResponseListModel(this))
{
    setObjectName(QStringLiteral("frmVQ7"));
    setWindowTitle(QStringLiteral("NEVIX - VEHICLE RESPONSES"));
    setFont(QFont(QStringLiteral("Arial"), 8));
    BuildWindow();
}

frmVQ7::~frmVQ7() = default;

QLineEdit* frmVQ7::AddDetailBox(QGroupBox* frame, const char* boxName, const char* labelName, const char* caption,
                                const char* tag)
{
    const bool legacy = tag && QLatin1String(tag) == QLatin1String("LEGACY");
    // Two pairs a row: the LEGACY pairs take the second.
    QLineEdit* box = labelName ? AddLabelledBox(frame, boxName, labelName, caption, legacy ? 2 : 0)
                               : MakeBoldBox(frame, boxName);
    m_boxes.insert(QLatin1String(boxName), box);
    if (tag) {
        QWidget* label = frame->findChild<QWidget*>(QLatin1String(labelName));
        Tag(label, tag);
        Tag(box, tag);
        if (legacy)
            m_legacy << label << box;
    }
    return box;
}

QGroupBox* frmVQ7::BuildSearchFrame()
{
    m_fraSearch = MakeFrame(this, "fraSearch", "Responses");
    SetUpGrid(m_model, "grdVQ7");
    m_grid->setColumnWidth(1, TwipsToPixels(2660));
    m_grid->setFixedWidth(TwipsToPixels(2660) + 2 * m_grid->frameWidth() + 4);
    m_grid->viewport()->installEventFilter(this);

    m_fraLoaded = MakeFrame(m_fraSearch, "fraLoaded", "Load");
    m_txtVRMSearch = new QLineEdit(m_fraLoaded);
    m_txtVRMSearch->setObjectName(QStringLiteral("txtVRMSearch"));
    m_txtVRMSearch->setMaxLength(16);
    m_txtLastDays = new QLineEdit(m_fraLoaded);
    m_txtLastDays->setObjectName(QStringLiteral("txtLastDays"));
    MakeDaysBox(*m_txtLastDays);
    m_chkShowErrs = new QCheckBox(QStringLiteral("Only Responses with errors"), m_fraLoaded);
    m_chkShowErrs->setObjectName(QStringLiteral("chkShowErrs"));
    m_cboMaxToLoad = new QComboBox(m_fraLoaded);
    m_cboMaxToLoad->setObjectName(QStringLiteral("cboMaxToLoad"));
    m_cboMaxToLoad->addItems({QStringLiteral("ALL"), QStringLiteral("100"), QStringLiteral("200"),
                              QStringLiteral("300"), QStringLiteral("400"), QStringLiteral("500")});
    m_cmdSearch = MakeButton(m_fraLoaded, "cmdSearch", "&Load");
    m_cmdClearSearch = MakeButton(m_fraLoaded, "cmdClearSearch", "Clear");
    for (QLineEdit* box : {m_txtVRMSearch, m_txtLastDays})
        box->installEventFilter(this);

    auto* load = new QGridLayout(m_fraLoaded);
    load->addWidget(MakeLabel(m_fraLoaded, "lblSearchVrm", "VRM / VIN"), 0, 0);
    load->addWidget(m_txtVRMSearch, 0, 1, 1, 2);
    load->addWidget(MakeLabel(m_fraLoaded, "lblSearchReceivedInLast", "Received in last"), 1, 0);
    load->addWidget(m_txtLastDays, 1, 1);
    load->addWidget(MakeLabel(m_fraLoaded, "lblDays", "days"), 1, 2);
    load->addWidget(m_chkShowErrs, 2, 0, 1, 3);
    load->addWidget(MakeLabel(m_fraLoaded, "lblMaxToLoad", "Max responses to load"), 3, 0, 1, 2);
    load->addWidget(m_cboMaxToLoad, 3, 2);
    load->addWidget(m_cmdSearch, 4, 0, 1, 2);
    load->addWidget(m_cmdClearSearch, 4, 2);

    m_lblEnquirerFilters = MakeLabel(m_fraSearch, "lblEnquirerFilters", "The Enquirers are being filtered by your user name");
    m_lblEnquirerFilters->setStyleSheet(QStringLiteral("color: #ff0000"));
    m_lblEnquirerFilters->setWordWrap(true);
    m_cmdShowEnquirers = MakeButton(m_fraSearch, "cmdShowEnquirers", "Show");
    auto* filters = new QHBoxLayout;
    filters->addWidget(m_lblEnquirerFilters, 1);
    filters->addWidget(m_cmdShowEnquirers);

    auto* column = new QVBoxLayout(m_fraSearch);
    column->addWidget(m_grid, 1);
    column->addWidget(m_fraLoaded);
    column->addLayout(filters);

    connect(m_cmdSearch, &QPushButton::clicked, this, &frmVQ7::cmdSearch_Click);
    connect(m_cmdClearSearch, &QPushButton::clicked, this, &frmVQ7::cmdClearSearch_Click);
    // Ticked by the user or set by the program, the list follows at once.
    connect(m_chkShowErrs, &QCheckBox::toggled, this, &frmVQ7::chkShowErrs_Click);
    connect(m_cmdShowEnquirers, &QPushButton::clicked, this, &frmVQ7::cmdShowEnquirers_Click);
    connect(m_grid->horizontalHeader(), &QHeaderView::sectionClicked, this, &frmVQ7::grdVQ7_HeadingClick);
    return m_fraSearch;
}

QGroupBox* frmVQ7::BuildEnquiryFrame()
{
    QGroupBox* frame = MakeFrame(this, "fraEnquiry", "Enquiry");
    AddDetailBox(frame, "txtVRM", "lblVRM", "VRM / VIN");
    AddDetailBox(frame, "txtDateOfEvent", "lblDateOfEvent", "Date of Event");
    AddDetailBox(frame, "txtReference", "lblReference", "Reference");
    AddDetailBox(frame, "txtEnquirerName", "lblEnquirer", "Enquirer");
    AddDetailBox(frame, "txtWhenReceived", "lblWhenReceived", "Received");
    AddDetailBox(frame, "txtDateOfResponse", "lblResponseDate", "Response Date");
    m_lblBlackList = MakeLabel(frame, "lblBlackList", "This vehicle is on the Blacklist");
    m_lblBlackList->setStyleSheet(QStringLiteral("color: #ff0000; font-weight: bold"));
    m_lblBlackList->setVisible(false);
    auto* grid = static_cast<QGridLayout*>(frame->layout());
    grid->addWidget(m_lblBlackList, grid->rowCount(), 0, 1, 2);
    return frame;
}

QGroupBox* frmVQ7::BuildVehicleFrame()
{
    QGroupBox* frame = MakeFrame(this, "fraVehicle", "Vehicle");
    AddDetailBox(frame, "txtRegistrationNumber", "lblRegistration", "Registration", "NOTLEGACY");
    AddDetailBox(frame, "txtMake", "lblMake", "Make");
    AddDetailBox(frame, "txtModel", "lblModel", "Model");
    AddDetailBox(frame, "txtColour", "lblColour", "Colour");
    AddDetailBox(frame, "txtSecondaryColour", "lblSecondColour", "Secondary Colour");
    AddDetailBox(frame, "txtBodyType", "lblBodyType", "Body Type");
    AddDetailBox(frame, "txtVIN", "lblVIN", "VIN");
    AddDetailBox(frame, "txtFleetNumber", "lblFleetNumber", "Fleet Number");
    AddDetailBox(frame, "txtSeatingCapacity", "lblSeatingCapacity", "Seating", "NOTLEGACY");
    auto* grid = static_cast<QGridLayout*>(frame->layout());
    const auto multiLine = [&](QPlainTextEdit*& box, const char* name, const char* labelName, const char* caption) {
        box = new QPlainTextEdit(frame);
        box->setObjectName(QLatin1String(name));
        MakeBold(*box);
        box->setFixedHeight(38);
        QLabel* label = MakeLabel(frame, labelName, caption);
        Tag(label, "NOTLEGACY");
        Tag(box, "NOTLEGACY");
        const int row = grid->rowCount();
        grid->addWidget(label, row, 0, Qt::AlignTop);
        grid->addWidget(box, row, 1);
    };
    multiLine(m_txtTaxStatus, "txtTaxStatus", "txtStatus", "Tax Status");
    multiLine(m_txtTaxCategory, "txtTaxCategory", "lblTaxCategory", "Tax Class");
    AddDetailBox(frame, "txtEngineCapacity", "lblEngineCapacity", "Engine Capacity", "LEGACY");
    AddDetailBox(frame, "txtFirstRegistered", "lblFirstRegistered", "First Registered", "LEGACY");
    AddDetailBox(frame, "txtLicenceExpiry", "lblLicenceExpiry", "Licence Expiry", "LEGACY");
    AddDetailBox(frame, "txtDateOfTheft", "lblDateOfTheft", "Date of Theft", "LEGACY");
    AddDetailBox(frame, "txtDateOfRecovery", "lblDateOfRecovery", "Date of Recovery", "LEGACY");
    AddDetailBox(frame, "txtDateOfScrappage", "lblDateScapping", "Date of Scrapping", "LEGACY");
    AddDetailBox(frame, "txtDateOfExport", "lblDateExport", "Date of Export", "LEGACY");
    AddDetailBox(frame, "txtPreviousKeepers", "lblPreviousKeepers", "Previous Keepers", "LEGACY");
    AddDetailBox(frame, "txtLastKeeperChange", "lblLastKeeperChange", "Keeper Changed", "LEGACY");
    grid->setRowStretch(grid->rowCount(), 1);
    return frame;
}

QGroupBox* frmVQ7::BuildKeeperFrame()
{
    QGroupBox* frame = MakeFrame(this, "frmKeeper", "Keeper");
    auto* grid = new QGridLayout(frame);
    m_lblKeeperTitle = MakeLabel(frame, "lblKeeperTitle", "Title");
    QLineEdit* title = AddDetailBox(frame, "txtKeeperTitle", nullptr, nullptr);
    title->setFixedWidth(TwipsToPixels(1320));
    QLabel* surname = MakeLabel(frame, "lblKeeperSurname", "Surname");
    QLineEdit* name = AddDetailBox(frame, "txtKeeperName", nullptr, nullptr);
    QLabel* forename = MakeLabel(frame, "lblKeeperForename", "Forename");
    QLineEdit* forenames = AddDetailBox(frame, "txtKeeperForename", nullptr, nullptr);
    m_personalKeeper = {surname, name, forename, forenames};
    grid->addWidget(m_lblKeeperTitle, 0, 0);
    grid->addWidget(title, 0, 1);
    grid->addWidget(surname, 0, 2);
    grid->addWidget(name, 0, 3);
    grid->addWidget(forename, 1, 2);
    grid->addWidget(forenames, 1, 3);
    grid->addWidget(MakeLabel(frame, "lblKeeperAddress1", "Address"), 2, 0);
    for (int i = 1; i <= 4; ++i) {
        const QByteArray boxName = "txtKeeperAddress" + QByteArray::number(i);
        grid->addWidget(AddDetailBox(frame, boxName.constData(), nullptr, nullptr), 1 + i, 1, 1, 3);
    }
    grid->addWidget(MakeLabel(frame, "lblKeeperPostTown", "Town/City"), 6, 0);
    grid->addWidget(AddDetailBox(frame, "txtKeeperPostTown", nullptr, nullptr), 6, 1, 1, 3);
    grid->addWidget(MakeLabel(frame, "lblKeeperPostCode", "Post Code"), 7, 0);
    grid->addWidget(AddDetailBox(frame, "txtKeeperPostCode", nullptr, nullptr), 7, 1);
    grid->setColumnStretch(3, 1);
    return frame;
}

void frmVQ7::BuildWindow()
{
    QGroupBox* errors = MakeFrame(this, "fraErrors", "DVLA Messages");
    m_lstErrors = new QListWidget(errors);
    m_lstErrors->setObjectName(QStringLiteral("lstErrors"));
    (new QVBoxLayout(errors))->addWidget(m_lstErrors);
    QGroupBox* comments = MakeFrame(this, "fraComments", "Comments");
    m_txtComments = new CommentBox(255, comments);
    m_txtComments->setObjectName(QStringLiteral("txtComments"));
    m_txtComments->installEventFilter(this);
    (new QVBoxLayout(comments))->addWidget(m_txtComments);

    auto* details = new QGridLayout;
    details->addWidget(BuildEnquiryFrame(), 0, 0);
    details->addWidget(BuildKeeperFrame(), 0, 1);
    details->addWidget(BuildVehicleFrame(), 1, 0, 1, 2);
    details->addWidget(errors, 2, 0);
    details->addWidget(comments, 2, 1);
    details->setRowStretch(1, 1);
    details->setColumnStretch(1, 1);

    auto* body = new QHBoxLayout;
    body->addWidget(BuildSearchFrame());
    body->addLayout(details, 1);

    m_cmdAddToBlacklist = MakeButton(this, "cmdAddToBlacklist", "Add to &Blacklist");
    m_cmdAnonymise = MakeButton(this, "cmdAnonymise", "Anon&ymise");
    QLabel* banner = LayOutWindow(QStringLiteral("Vehicle Responses"), body, {m_cmdAddToBlacklist, m_cmdAnonymise});
    // On a low screen the window goes without its banner, and lower.
    if (banner->isHidden())
        resize(width(), TwipsToPixels(10095));

    connect(m_cmdAddToBlacklist, &QPushButton::clicked, this, &frmVQ7::cmdAddToBlacklist_Click);
    connect(m_cmdAnonymise, &QPushButton::clicked, this, &frmVQ7::cmdAnonymise_Click);
    connect(m_cmdExport, &QPushButton::clicked, this, &frmVQ7::ExportResponses);
    connect(m_cmdPrint, &QPushButton::clicked, this, &frmVQ7::PrintResponses);
}

void frmVQ7::SetKeeperLayout(ResponseDetails::KeeperLayout layout)
{
    if (layout == ResponseDetails::KeeperLayout::Unchanged)
        return;
    const bool personal = layout == ResponseDetails::KeeperLayout::Surname;
    m_lblKeeperTitle->setText(ResponseDetails::KeeperCaption(layout));
    QLineEdit* title = m_boxes.value(QStringLiteral("txtKeeperTitle"));
    auto* grid = static_cast<QGridLayout*>(title->parentWidget()->layout());
    grid->removeWidget(title);
    grid->addWidget(title, 0, 1, 1, personal ? 1 : 3);
    if (personal) {
        title->setFixedWidth(TwipsToPixels(1320));
    } else {
        title->setMinimumWidth(std::min(TwipsToPixels(7095), 320));
        title->setMaximumWidth(QWIDGETSIZE_MAX);
    }
    for (QWidget* widget : m_personalKeeper)
        widget->setVisible(personal);
}

void frmVQ7::SetSearchDefault(bool searchIsDefault)
{
    m_cmdSearch->setDefault(searchIsDefault);
}

void frmVQ7::keyPressEvent(QKeyEvent* event)
{
    // Enter loads while the search button is the default one.
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) && m_cmdSearch->isDefault()) {
        cmdSearch_Click();
        return;
    }
    RecordScreen::keyPressEvent(event);
}

void frmVQ7::closeEvent(QCloseEvent* event)
{
    if (!m_unloaded) {
        m_unloaded = true;
        // A comment being typed is kept, as leaving the box would keep it.
        if (!m_txtComments->property("Tag").toString().isEmpty())
            SaveComments();
        PreservePointer pointer;
        pointer.SetHourGlass(this);
        Settings().SetVQ7SearchRecievedInLastDays(m_txtLastDays->text());
        Settings().Apply();
    }
    event->accept();
}
