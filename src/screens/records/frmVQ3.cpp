// The enquiry screen's window: its controls, initialisation, closing,
// keys, import, printing and help.
#include "screens/records/frmVQ3.h"

#include "accounts/CurrentUser.h"
#include "accounts/Enquirers.h"
#include "accounts/User.h"
#include "core/ApplicationSettings.h"
#include "core/AskTellUser.h"
#include "platform/UserInteraction.h"
#include "core/FormUtilities.h"
#include "core/PreservePointer.h"
#include "core/qt/FormWidgets.h"
#include "database/GlobalDatabase.h"
#include "help/HHelper.h"
#include "help/HelpTopics.h"
#include "platform/AppContext.h"
#include "reports/qt/frmChoosePrintType.h"
#include "screens/common/HelpButton.h"
#include "screens/records/EnquirerChooser.h"
#include "screens/records/EnquiryForm.h"
#include "screens/records/EnquiryImport.h"
#include "screens/records/RecordGrid.h"
#include "screens/records/RecordGridModel.h"
#include "screens/records/Reported.h"
#include "screens/records/ScreenBanner.h"
#include "screens/records/ScreenControls.h"
#include "screens/records/UserEnquirers.h"
#include "screens/records/frmMessage.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

namespace {
// The window's height on a screen too low for the banner.
constexpr int CompactHeightTwips = 9525;

template <typename Widget>
Widget* Named(Widget* widget, const char* name)
{
    widget->setObjectName(QLatin1String(name));
    return widget;
}

QLabel* RedLabel(const QString& text, QWidget* parent, const char* name)
{
    auto* label = Named(new QLabel(text, parent), name);
    label->setStyleSheet(QStringLiteral("QLabel { color: #ff0000; font-weight: bold; }"));
    label->setWordWrap(true);
    return label;
}
} // namespace

frmVQ3::frmVQ3(RecordScreenTools tools, QWidget* parent)
    : QDialog(parent), m_tools(std::move(tools)), m_noEnquirers(std::make_shared<Enquirers>()),
      m_imgBanner(MakeScreenBanner(*this, "imgBanner", QStringLiteral("Vehicle Enquiries"), EnquiryBannerLook(),
                                   m_tools.ScreenHeight)),
      m_fraSearch(Named(new QGroupBox(QStringLiteral("All Enquiries "), this), "fraSearch")),
      m_txtVRMSearch(Named(new QLineEdit(m_fraSearch), "txtVRMSearch")),
      m_txtDaysSinceEnterd(Named(new QLineEdit(m_fraSearch), "txtDaysSinceEnterd")),
      m_cboLoadWhat(Named(new QComboBox(m_fraSearch), "cboLoadWhat")),
      m_lblWhatToLoad(Named(new QLabel(QStringLiteral("What to load (click Load when changed)"), m_fraSearch),
                            "lblWhatToLoad")),
      m_cboMaxToLoad(Named(new QComboBox(m_fraSearch), "cboMaxToLoad")),
      m_lblMaxToLoad(Named(new QLabel(QStringLiteral("Enquiries to load"), m_fraSearch), "lblMaxToLoad")),
      m_cmdSearch(Named(new QPushButton(QStringLiteral("&Load"), m_fraSearch), "cmdSearch")),
      m_cmdClearSearch(Named(new QPushButton(QStringLiteral("Clear"), m_fraSearch), "cmdClearSearch")),
      m_fraLoaded(Named(new QGroupBox(QStringLiteral("Load"), this), "fraLoaded")),
      m_grdVQ3(Named(new RecordGrid(new RecordGridModel({QString(), QStringLiteral("VRM/VIN"),
                                                         QStringLiteral("Date of Event")}),
                                    m_fraLoaded),
                     "grdVQ3")),
      m_lblEnquirerFilters(
          RedLabel(QStringLiteral("The Enquirers are being filtered by your user name"), this, "lblEnquirerFilters")),
      m_cmdShowEnquirers(Named(new QPushButton(QStringLiteral("Show Enquirers"), this), "cmdShowEnquirers")),
      m_frqVQ3(Named(new QGroupBox(QStringLiteral("Vehicle Enquiry"), this), "frqVQ3")),
      m_txtVRM(Named(new QLineEdit(m_frqVQ3), "txtVRM")),
      m_txtDateOfEvent(Named(new QLineEdit(m_frqVQ3), "txtDateOfEvent")),
      m_txtReference(Named(new QLineEdit(m_frqVQ3), "txtReference")),
      m_txtWhenEntered(Named(new QLineEdit(m_frqVQ3), "txtWhenEntered")),
      m_txtWhenSent(Named(new QLineEdit(m_frqVQ3), "txtWhenSent")),
      m_txtUser(Named(new QLineEdit(m_frqVQ3), "txtUser")),
      m_txtEnquirerName(Named(new QLineEdit(m_frqVQ3), "txtEnquirerName")),
      m_txtReasonDesc(Named(new QLineEdit(m_frqVQ3), "txtReasonDesc")),
      m_cboEnquirer(Named(new QComboBox(m_frqVQ3), "cboEnquirer")),
      m_cboReasonForEnquiry(Named(new QComboBox(m_frqVQ3), "cboReasonForEnquiry")),
      m_lblVRM(Named(new QLabel(QStringLiteral("VRM / VIN"), m_frqVQ3), "lblVRM")),
      m_lblDateOfEvent(Named(new QLabel(QStringLiteral("Date of Event"), m_frqVQ3), "lblDateOfEvent")),
      m_lblReference(Named(new QLabel(QStringLiteral("Reference"), m_frqVQ3), "lblReference")),
      m_lblWhenEntered(Named(new QLabel(QStringLiteral(" When Entered"), m_frqVQ3), "lblWhenEntered")),
      m_lblWhenSent(Named(new QLabel(QStringLiteral(" When Sent"), m_frqVQ3), "lblWhenSent")),
      m_lblStatus(Named(new QLabel(QStringLiteral("User"), m_frqVQ3), "lblStatus")),
      m_chkMatched(Named(new QCheckBox(QStringLiteral("Response Received"), m_frqVQ3), "chkMatched")),
      m_chkSkipVRMValidation(
          Named(new QCheckBox(QStringLiteral("Skip VRM/VIM validation"), m_frqVQ3), "chkSkipVRMValidation")),
      m_lblBlackList(RedLabel(QStringLiteral("This vehicle is on the Blacklist"), m_frqVQ3, "lblBlackList")),
      m_fraErrors(Named(new QGroupBox(QStringLiteral("Messages and Errors"), m_frqVQ3), "fraErrors")),
      m_lstErrors(Named(new QListWidget(m_fraErrors), "lstErrors")),
      m_cmdClearErrors(Named(new QPushButton(QStringLiteral("Clear Errors"), m_fraErrors), "cmdClearErrors")),
      m_cmdAdd(Named(new QPushButton(QStringLiteral("Add &New Enquiry"), this), "cmdAdd")),
      m_cmdEdit(Named(new QPushButton(QStringLiteral("&Edit Enquiry"), this), "cmdEdit")),
      m_cmdDelete(Named(new QPushButton(QStringLiteral("&Delete Enquiry"), this), "cmdDelete")),
      m_cmdSave(Named(new QPushButton(QStringLiteral("&Save Changes"), this), "cmdSave")),
      m_cmdImport(Named(new QPushButton(QStringLiteral("&Import"), this), "cmdImport")),
      m_cmdPrint(Named(new QPushButton(QStringLiteral("&Print"), this), "cmdPrint")),
      m_cmdReturn(Named(new QPushButton(QStringLiteral("&Close"), this), "cmdReturn")),
      m_cmdHelp(Named(new QPushButton(QStringLiteral("&Help"), this), "cmdHelp"))
{
    setObjectName(QStringLiteral("frmVQ3"));
    setWindowTitle(QStringLiteral("NEVIX - VEHICLE ENQUIRIES"));
    setModal(false);

    m_cboLoadWhat->addItems({QStringLiteral("All Enquiries"), QStringLiteral("Enquiries waiting to be sent"),
                             QStringLiteral("Enquiries with errors"), QStringLiteral("Enquiries awaiting responses")});
    m_cboMaxToLoad->addItems({QStringLiteral("ALL"), QStringLiteral("100"), QStringLiteral("200"),
                              QStringLiteral("300"), QStringLiteral("400"), QStringLiteral("500")});
    m_txtVRMSearch->setMaxLength(17);
    m_txtVRM->setMaxLength(17);
    m_txtDateOfEvent->setMaxLength(12);
    m_txtReference->setMaxLength(20);
    m_txtWhenEntered->setMaxLength(19);
    m_txtWhenSent->setMaxLength(19);
    for (QLineEdit* box : {m_txtWhenEntered, m_txtWhenSent, m_txtUser, m_txtEnquirerName, m_txtReasonDesc})
        SetTextBoxLocked(false, *box);
    m_chkMatched->setEnabled(false);
    m_lblBlackList->setVisible(false);
    m_lblEnquirerFilters->setVisible(false);
    m_cmdShowEnquirers->setVisible(false);
    m_cboEnquirer->setVisible(false);
    m_cboReasonForEnquiry->setVisible(false);
    m_grdVQ3->SetColumnTwips(1, 2000);
    m_grdVQ3->SetColumnTwips(2, 1530, 1310);

    BuildLayout();
    ConnectControls();
}

frmVQ3::~frmVQ3() = default;

void frmVQ3::BuildLayout()
{
    auto* search = new QGridLayout(m_fraSearch);
    search->addWidget(new QLabel(QStringLiteral("VRM/VIN"), m_fraSearch), 0, 0);
    search->addWidget(m_txtVRMSearch, 0, 1);
    search->addWidget(new QLabel(QStringLiteral("Days since entered"), m_fraSearch), 1, 0);
    search->addWidget(m_txtDaysSinceEnterd, 1, 1);
    search->addWidget(m_lblWhatToLoad, 2, 0, 1, 2);
    search->addWidget(m_cboLoadWhat, 3, 0, 1, 2);
    search->addWidget(m_lblMaxToLoad, 4, 0);
    search->addWidget(m_cboMaxToLoad, 4, 1);
    auto* searchButtons = new QHBoxLayout;
    searchButtons->addWidget(m_cmdSearch);
    searchButtons->addWidget(m_cmdClearSearch);
    search->addLayout(searchButtons, 5, 0, 1, 2);

    auto* loaded = new QVBoxLayout(m_fraLoaded);
    loaded->addWidget(m_grdVQ3);

    auto* left = new QVBoxLayout;
    left->addWidget(m_fraSearch);
    left->addWidget(m_fraLoaded, 1);
    left->addWidget(m_lblEnquirerFilters);
    left->addWidget(m_cmdShowEnquirers);
    auto* leftColumn = new QWidget(this);
    leftColumn->setLayout(left);
    left->setContentsMargins(0, 0, 0, 0);
    leftColumn->setFixedWidth(TwipsToPixels(2000 + 1530) + 48);

    auto* errors = new QVBoxLayout(m_fraErrors);
    errors->addWidget(m_lstErrors);
    errors->addWidget(m_cmdClearErrors, 0, Qt::AlignRight);

    auto* detail = new QGridLayout(m_frqVQ3);
    int row = 0;
    const auto addRow = [&](QLabel* label, QWidget* box, QWidget* alternative = nullptr) {
        detail->addWidget(label, row, 0);
        detail->addWidget(box, row, 1);
        if (alternative)
            detail->addWidget(alternative, row, 1);
        ++row;
    };
    addRow(m_lblVRM, m_txtVRM);
    addRow(m_lblDateOfEvent, m_txtDateOfEvent);
    addRow(m_lblReference, m_txtReference);
    addRow(m_lblWhenEntered, m_txtWhenEntered);
    addRow(m_lblWhenSent, m_txtWhenSent);
    addRow(m_lblStatus, m_txtUser);
    addRow(Named(new QLabel(QStringLiteral("Enquirer"), m_frqVQ3), "lblEnquirer"), m_txtEnquirerName,
           m_cboEnquirer);
    addRow(Named(new QLabel(QStringLiteral("Reason for Enquiry"), m_frqVQ3), "lblReasonForEnquiry"),
           m_txtReasonDesc, m_cboReasonForEnquiry);
    auto* ticks = new QHBoxLayout;
    ticks->addWidget(m_chkMatched);
    ticks->addWidget(m_chkSkipVRMValidation);
    ticks->addStretch();
    detail->addLayout(ticks, row++, 0, 1, 2);
    detail->addWidget(m_lblBlackList, row++, 0, 1, 2);
    detail->addWidget(m_fraErrors, row++, 0, 1, 2);
    detail->setRowStretch(row - 1, 1);
    detail->setColumnStretch(1, 1);

    auto* actions = new QHBoxLayout;
    for (QPushButton* button : {m_cmdAdd, m_cmdEdit, m_cmdDelete, m_cmdSave})
        actions->addWidget(button);
    auto* right = new QVBoxLayout;
    right->addWidget(m_frqVQ3, 1);
    right->addLayout(actions);

    auto* columns = new QHBoxLayout;
    columns->addWidget(leftColumn);
    columns->addLayout(right, 1);

    auto* bottom = new QHBoxLayout;
    bottom->addWidget(m_cmdImport);
    bottom->addWidget(m_cmdPrint);
    bottom->addStretch();
    bottom->addWidget(m_cmdHelp);
    bottom->addWidget(m_cmdReturn);

    auto* window = new QVBoxLayout(this);
    window->addWidget(m_imgBanner);
    window->addLayout(columns, 1);
    window->addLayout(bottom);
    resize(950, 700);
}

void frmVQ3::ConnectControls()
{
    // Each handler reports what it could not do, as a warning; the window stays.
    const std::pair<QPushButton*, std::pair<void (frmVQ3::*)(), const char*>> buttons[] = {
        {m_cmdSearch, {&frmVQ3::cmdSearch_Click, "Error loading the enquiries"}},
        {m_cmdClearSearch, {&frmVQ3::cmdClearSearch_Click, "Error loading the enquiries"}},
        {m_cmdShowEnquirers, {&frmVQ3::cmdShowEnquirers_Click, "Error showing your enquirers"}},
        {m_cmdAdd, {&frmVQ3::cmdAdd_Click, "Error starting or cancelling an enquiry"}},
        {m_cmdEdit, {&frmVQ3::cmdEdit_Click, "Error editing the enquiry"}},
        {m_cmdSave, {&frmVQ3::cmdSave_Click, "Unable to save this enquiry because:"}},
        {m_cmdDelete, {&frmVQ3::cmdDelete_Click, "Unable to delete this enquiry because:"}},
        {m_cmdClearErrors, {&frmVQ3::cmdClearErrors_Click, "Error clearing the errors"}},
        {m_cmdImport, {&frmVQ3::cmdImport_Click, "Error attempting import."}},
        {m_cmdPrint, {&frmVQ3::cmdPrint_Click, "Error printing enquiries:"}},
        {m_cmdReturn, {&frmVQ3::cmdReturn_Click, "Error closing the window"}},
        {m_cmdHelp, {&frmVQ3::cmdHelp_Click, "Error showing the help"}}};
    for (const auto& [button, handler] : buttons) {
        const auto [slot, failure] = handler;
        connect(button, &QPushButton::clicked, this, [this, slot, failure] {
            Reported(QLatin1String(failure), [this, slot] { (this->*slot)(); }, MsgBox::Exclamation);
        });
    }
    connect(m_grdVQ3, &RecordGrid::HeadingClicked, this, [this](int column) {
        Reported(QStringLiteral("Error loading the enquiries"), [this, column] { grdVQ3_HeadingClick(column); },
                 MsgBox::Exclamation);
    });
    connect(m_grdVQ3, &RecordGrid::CurrentRowChanged, this, [this](int row) {
        Reported(QStringLiteral("Error showing the selected enquiry"), [this, row] { GridRowChanged(row); },
                 MsgBox::Exclamation);
    });
    connect(m_cboEnquirer, &QComboBox::currentIndexChanged, this, [this] {
        Reported(QStringLiteral("Error showing the reasons for enquiry"), [this] { cboEnquirer_Click(); },
                 MsgBox::Exclamation);
    });

    // The search boxes: letters, digits and "?" for one character, and
    // the days as digits only (empty: no limit).
    KeyFilter::Install(*m_txtVRMSearch,
                       [](int16_t key) { return FilterAlphaNumericKey(key, QStringLiteral("?")); });
    MakeDaysBox(*m_txtDaysSinceEnterd);
    KeyFilter::Install(*m_txtVRM, [](int16_t key) { return FilterAlphaNumericKey(key, QStringLiteral(" ")); });
    KeyFilter::Install(*m_txtReference,
                       [](int16_t key) { return FilterAlphaNumericKey(key, QStringLiteral(": -._#@/*;")); });
    KeyFilter::Install(*m_txtDateOfEvent, [](int16_t key) {
        return FilterKeyToChars(key, QStringLiteral("0123456789/"), CompareMode::Binary);
    });
    for (QLineEdit* box : {m_txtVRM, m_txtDateOfEvent, m_txtReference}) {
        const bool capitals = box != m_txtDateOfEvent;
        connect(box, &QLineEdit::textEdited, box, [box, capitals](const QString& text) {
            const QString kept = KeptBoxText(text, capitals);
            if (kept == text)
                return;
            const auto cursor = KeptBoxText(text.left(box->cursorPosition()), capitals).size();
            box->setText(kept);
            box->setCursorPosition(int(cursor));
        });
    }
    for (QObject* watched : std::initializer_list<QObject*>{
             m_txtVRMSearch, m_txtDaysSinceEnterd, m_txtVRM, m_txtDateOfEvent, m_txtReference, m_cboEnquirer,
             m_lblVRM, m_lblDateOfEvent, m_lblReference})
        watched->installEventFilter(this);
}

bool frmVQ3::eventFilter(QObject* watched, QEvent* event)
{
    const bool in = event->type() == QEvent::FocusIn;
    const bool out = event->type() == QEvent::FocusOut;
    if ((in || out) && (watched == m_txtVRMSearch || watched == m_txtDaysSinceEnterd)) {
        // Enter loads while a search box has the focus.
        (in ? m_cmdAdd : m_cmdSearch)->setDefault(false);
        (in ? m_cmdSearch : m_cmdAdd)->setDefault(true);
        if (in)
            HighlightTextOnFocus(*static_cast<QWidget*>(watched));
    } else if (in && (watched == m_txtVRM || watched == m_txtDateOfEvent || watched == m_txtReference)) {
        HighlightTextOnFocus(*static_cast<QWidget*>(watched));
    } else if (out && watched == m_txtDateOfEvent) {
        NormaliseDateOfEvent();
    } else if ((in || out) && watched == m_cboEnquirer) {
        // Selections the program makes do not refill the reasons.
        m_cboEnquirer->setProperty("Tag", in ? QStringLiteral("ON") : QString());
    } else if (event->type() == QEvent::MouseButtonPress) {
        QLineEdit* box = watched == m_lblVRM           ? m_txtVRM
                         : watched == m_lblDateOfEvent ? m_txtDateOfEvent
                         : watched == m_lblReference   ? m_txtReference
                                                       : nullptr;
        if (box && box->isEnabled())
            box->setFocus(Qt::MouseFocusReason);
    }
    return QDialog::eventFilter(watched, event);
}

bool frmVQ3::HasPicture() const
{
    return !m_imgBanner->isHidden();
}

void frmVQ3::PlaceCompactLayout()
{
    if (!HasPicture())
        resize(width(), TwipsToPixels(CompactHeightTwips));
}

void frmVQ3::InitialiseForm()
{
    PreservePointer pointer;
    pointer.SetHourGlass(this);
    m_user = RequireCurrentUser();
    m_user->Load();

    PlaceCompactLayout();

    m_list.SetDataSource(&GlobalDatabase(), Settings().RunInTestMode());
    // The selected enquiry is always read again: the list holds what it shows.
    m_list.SetListColumnsOnly(true);
    m_blacklist.SetDataSource(&GlobalDatabase());
    m_blacklist.Load();

    m_cboMaxToLoad->setCurrentIndex(1);
    m_cboLoadWhat->setCurrentIndex(0);
    SetGridHeader(QString());
    FillUpGrid(QString(), QString());

    const bool filtered = EnquirersFiltered(UserEnquirers(), GlobalDatabase());
    m_cboEnquirer->clear();
    for (const auto& enquirer : UserEnquirers())
        m_cboEnquirer->addItem(enquirer->Name());
    if (m_cboEnquirer->count() == 0)
        TellUser(QStringLiteral("You have not been allocated an Enquirer"), QString(), MsgBox::Information);
    m_lblEnquirerFilters->setVisible(filtered);
    m_cmdShowEnquirers->setVisible(filtered);

    HideHelpButton(*this, HelpTopics::Enquiries);
    ShowVQ3Details(0, nullptr);
    SetButtons(0);
}

const Enquirers& frmVQ3::UserEnquirers() const
{
    if (m_user) {
        if (const auto enquirers = m_user->Enquirers())
            return *enquirers;
    }
    return *m_noEnquirers;
}

void frmVQ3::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (m_activated)
        return;
    m_activated = true;
    Reported(QStringLiteral("Error showing the selected enquiry"), [this] { SelectCurrentRow(); }, MsgBox::Exclamation);
}

void frmVQ3::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_F1) {
        m_cmdHelp->click();
        return;
    }
    QDialog::keyPressEvent(event);
}

void frmVQ3::reject()
{
    close();
}

void frmVQ3::closeEvent(QCloseEvent* event)
{
    if (m_current) {
        try {
            if (!m_cmdSave->isHidden())
                ReadFormIntoVQ3(*m_current);
        } catch (const NevixError&) {
            // A form that cannot be read counts as changed.
        }
        if (m_current->IsDirty() &&
            AskUser(QStringLiteral("Discard the outstanding changes?"), QString(), MsgBox::YesNo, MsgBox::AnswerNo) ==
                MsgBox::AnswerNo) {
            event->ignore();
            if (m_mode != 0)
                m_cmdSave->setFocus();
            return;
        }
    }
    PreservePointer pointer;
    pointer.SetHourGlass(this);
    m_current.reset();
    m_grdVQ3->Model()->Reset(0, {});
    m_list.Clear();
    m_blacklist.Clear();
    m_activated = false;
    event->accept();
}

void frmVQ3::cmdReturn_Click()
{
    close();
}

void frmVQ3::cmdHelp_Click()
{
    ShowHelpTopic(HelpTopics::Enquiries);
}

void frmVQ3::cmdShowEnquirers_Click()
{
    ShowUserEnquirers(UserEnquirers());
}

void frmVQ3::cmdImport_Click()
{
    std::unique_ptr<ImportProgress> progress = m_tools.MakeImportProgress ? m_tools.MakeImportProgress(this) : nullptr;
    std::unique_ptr<ImportQuestions> questions =
        m_tools.MakeImportQuestions ? m_tools.MakeImportQuestions(this) : std::make_unique<frmMessage>(this);
    EnquiryImportSeams seams;
    seams.chooser = m_tools.ChooseEnquirer.get();
    seams.owner = this;
    seams.progress = progress.get();
    seams.import.questions = questions.get();
    if (ImportEnquiryFile(seams) > 0) {
        FillUpGrid(QString(), QString());
        SelectCurrentRow();
    }
}

void frmVQ3::cmdPrint_Click()
{
    if (m_list.Count() == 0) {
        TellUser(QStringLiteral("There are no enquiries to be printed."), QString(), MsgBox::Information);
        return;
    }
    {
        frmChoosePrintType dialog(this);
        dialog.SetForVQ3(m_current, m_list);
        dialog.exec();
    }
    if (m_list.Resorted())
        cmdSearch_Click();
}
