#include "reports/qt/frmChoosePrintType.h"

#include "accounts/CurrentUser.h"
#include "accounts/User.h"
#include "core/ApplicationSettings.h"
#include "core/AskTellUser.h"
#include "core/LoggingGlobals.h"
#include "database/ErrorPersist.h"
#include "database/GlobalDatabase.h"
#include "database/LogLines.h"
#include "database/SysParameters.h"
#include "platform/AppContext.h"
#include "platform/LocalTime.h"
#include "platform/NevixError.h"
#include "records/DebitStatements.h"
#include "records/VQ3Enquiries.h"
#include "records/VQ7Responses.h"
#include "reports/PrintPeriod.h"
#include "reports/PrinterOfData.h"
#include "reports/ReportOptions.h"
#include "reports/qt/CurrentPrinter.h"
#include "reports/qt/QtPrinterCanvas.h"
#include "reports/qt/QtPrinterCatalog.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLayout>
#include <QLocale>
#include <QPixmap>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace {

constexpr int32_t NoMode = 0;
constexpr int32_t EnquiryMode = 1;
constexpr int32_t ResponseMode = 2;
constexpr int32_t StatementMode = 3;

const QString DateFormat = QStringLiteral("dd-MMM-yyyy");

QString DayText(const std::optional<QDate>& day)
{
    return day ? QLocale::c().toString(*day, DateFormat) : QString();
}

template <typename Record>
std::vector<std::shared_ptr<Record>> Members(const RecordCollection<Record>& list)
{
    return {list.begin(), list.end()};
}

} // namespace

frmChoosePrintType::frmChoosePrintType(QWidget* parent)
    : QDialog(parent), m_cboVq7Selection(new QComboBox(this)), m_lblPrinterName(new QLabel(this)),
      m_cmdOk(new QPushButton(QStringLiteral("&Print"), this)),
      m_cmdCancel(new QPushButton(QStringLiteral("&Cancel"), this)),
      m_cmdChangePrinter(new QPushButton(QStringLiteral("&Another Printer"), this)), m_picLogo(new QLabel(this))
{
    setObjectName(QStringLiteral("frmChoosePrintType"));
    setWindowTitle(QStringLiteral("WHAT TO PRINT"));
    setModal(true);
    setFont(QFont(QStringLiteral("Arial")));

    const auto makeFrame = [this](int mode, auto& options, std::initializer_list<const char*> captions,
                                  const char* name) {
        auto* frame = new QGroupBox(QStringLiteral("What would you like to print?"), this);
        frame->setObjectName(QStringLiteral("fraPrintWhat%1").arg(mode));
        frame->setVisible(false);
        auto* column = new QVBoxLayout(frame);
        int index = 0;
        for (const char* caption : captions) {
            auto* option = new QRadioButton(QLatin1String(caption), frame);
            option->setObjectName(QLatin1String(name) + QString::number(index));
            column->addWidget(option);
            options[index++] = option;
        }
        options[0]->setChecked(true);
        m_fraPrintWhat[mode - 1] = frame;
        return frame;
    };
    makeFrame(EnquiryMode, m_optVq3, {"The selected enquiry", "All the enquiries in the list"}, "optWhatToPrintVq3");
    QGroupBox* responses = makeFrame(ResponseMode, m_optVq7,
                                     {"The selected response", "All the responses in the list", "Today's responses",
                                      "Responses received", "Summary of responses received"},
                                     "optWhatToPrintVq7");
    makeFrame(StatementMode, m_optDeb,
              {"The selected statement", "All the statements in the list", "Summary of statements received"},
              "optWhatToPrintDeb");

    // The period list stands beside the option it qualifies, placed by hand
    // over the responses' frame.
    m_cboVq7Selection->setParent(responses);
    m_cboVq7Selection->setObjectName(QStringLiteral("cboVq7Selection"));
    m_cboVq7Selection->addItems({QStringLiteral("this week"), QStringLiteral("last week"),
                                 QStringLiteral("this month"), QStringLiteral("last month")});
    m_cboVq7Selection->setCurrentIndex(-1);
    m_cboVq7Selection->setVisible(false);
    for (QRadioButton* option : m_optVq7) {
        connect(option, &QRadioButton::clicked, this, &frmChoosePrintType::optWhatToPrintVq7_Click);
        // An option chosen by the program places the period list as a click would.
        connect(option, &QRadioButton::toggled, this, [this](bool checked) {
            if (checked)
                optWhatToPrintVq7_Click();
        });
    }
    m_optVq7[3]->installEventFilter(this);
    m_optVq7[4]->installEventFilter(this);

    m_lblPrinterName->setObjectName(QStringLiteral("lblPrinterName"));
    m_lblPrinterName->setMinimumWidth(360);
    m_cmdOk->setObjectName(QStringLiteral("cmdOk"));
    m_cmdOk->setDefault(true);
    m_cmdCancel->setObjectName(QStringLiteral("cmdCancel"));
    m_cmdChangePrinter->setObjectName(QStringLiteral("cmdChangePrinter"));
    m_picLogo->setObjectName(QStringLiteral("picLogo"));
    // The picture the reports print in their page header.
    QPixmap logo;
    logo.loadFromData(ReportLogo::Default().image);
    m_picLogo->setPixmap(logo.scaledToHeight(32, Qt::SmoothTransformation));

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_picLogo);
    buttons->addStretch();
    buttons->addWidget(m_cmdOk);
    buttons->addWidget(m_cmdCancel);
    buttons->addWidget(m_cmdChangePrinter);
    auto* layout = new QVBoxLayout(this);
    for (QGroupBox* frame : m_fraPrintWhat)
        layout->addWidget(frame);
    layout->addWidget(m_lblPrinterName);
    layout->addLayout(buttons);

    connect(m_cmdOk, &QPushButton::clicked, this, &frmChoosePrintType::cmdOk_Click);
    connect(m_cmdCancel, &QPushButton::clicked, this, &frmChoosePrintType::cmdCancel_Click);
    connect(m_cmdChangePrinter, &QPushButton::clicked, this, &frmChoosePrintType::cmdChangePrinter_Click);

    ShowCurrentPrinter();
}

frmChoosePrintType::~frmChoosePrintType() = default;

void frmChoosePrintType::SetCanvasMaker(CanvasMaker maker)
{
    m_makeCanvas = std::move(maker);
}

void frmChoosePrintType::SetPrinterCatalog(PrinterCatalog* printers)
{
    m_printers = printers;
}

void frmChoosePrintType::ShowCurrentPrinter()
{
    m_lblPrinterName->setText(QStringLiteral("Using printer: ") + CurrentPrinter::Get().deviceName);
}

void frmChoosePrintType::ShowFrame(int32_t mode)
{
    m_mode = mode;
    m_fraPrintWhat[mode - 1]->setVisible(true);
}

void frmChoosePrintType::SetForVQ3(std::shared_ptr<VQ3> oCurrentVq3, VQ3Enquiries& oVQ3List)
{
    m_currentVq3 = std::move(oCurrentVq3);
    m_vq3List = &oVQ3List;
    ShowFrame(EnquiryMode);
}

void frmChoosePrintType::SetForVQ7(std::shared_ptr<VQ7> oCurrentVQ7, VQ7Responses& oVq7List)
{
    m_currentVq7 = std::move(oCurrentVQ7);
    m_vq7List = &oVq7List;
    if (oVq7List.Count() > PagesBeforeWarning) {
        m_optVq7[1]->setStyleSheet(QStringLiteral("color: #ff0000"));
        m_optVq7[1]->setText(CaptionWithPageCount(m_optVq7[1]->text(), oVq7List.Count()));
    }
    ShowFrame(ResponseMode);
}

void frmChoosePrintType::SetForDebs(std::shared_ptr<DebitStatement> oCurrentDeb, DebitStatements& oDebList)
{
    m_currentDeb = std::move(oCurrentDeb);
    m_debList = &oDebList;
    if (oDebList.Count() > PagesBeforeWarning) {
        m_optDeb[1]->setStyleSheet(QStringLiteral("color: #ff0000"));
        m_optDeb[1]->setText(CaptionWithPageCount(m_optDeb[1]->text(), oDebList.Count()));
    }
    ShowFrame(StatementMode);
}

void frmChoosePrintType::optWhatToPrintVq7_Click()
{
    const auto show = [this] {
        m_cboVq7Selection->setCurrentIndex(PeriodIndex::ThisWeek);
        m_cboVq7Selection->setVisible(true);
        PlacePeriodList();
    };
    if (m_optVq7[3]->isChecked())
        show();
    else if (m_optVq7[4]->isChecked())
        show();
    else
        m_cboVq7Selection->setVisible(false);
}

void frmChoosePrintType::PlacePeriodList()
{
    // Beside the option it qualifies, at the end of its caption.
    const QRadioButton* option = m_optVq7[4]->isChecked() ? m_optVq7[4] : m_optVq7[3];
    const QSize size = m_cboVq7Selection->sizeHint();
    m_cboVq7Selection->setGeometry(option->x() + option->sizeHint().width() + 8,
                                   option->y() + (option->height() - size.height()) / 2, size.width(), size.height());
    m_cboVq7Selection->raise();
}

bool frmChoosePrintType::eventFilter(QObject* watched, QEvent* event)
{
    // The options move when the window is laid out.
    if ((event->type() == QEvent::Move || event->type() == QEvent::Resize) && m_cboVq7Selection->isVisibleTo(this))
        PlacePeriodList();
    return QDialog::eventFilter(watched, event);
}

int32_t frmChoosePrintType::ChosenPrintType() const
{
    const auto checked = [](const auto& options) {
        for (size_t i = 0; i < options.size(); ++i)
            if (options[i]->isChecked())
                return int(i);
        return -1;
    };
    switch (m_mode) {
    case EnquiryMode: return checked(m_optVq3) + 1;
    case ResponseMode: return checked(m_optVq7) + 1;
    case StatementMode: {
        const int index = checked(m_optDeb);
        return index == 2 ? PrintType::Summary : index + 1;
    }
    default: return PrintType::Nothing;
    }
}

void frmChoosePrintType::cmdOk_Click()
{
    m_printType = ChosenPrintType();
    m_periodIndex = m_cboVq7Selection->currentIndex();
    PrintSelection();
}

void frmChoosePrintType::cmdCancel_Click()
{
    m_printType = PrintType::Nothing;
    if (!m_printing)
        done(QDialog::Rejected);
}

void frmChoosePrintType::cmdChangePrinter_Click()
{
    if (!m_printers) {
        m_ownPrinters = std::make_unique<QtPrinterCatalog>();
        m_printers = m_ownPrinters.get();
    }
    if (ShowPrinter(windowTitle(), 0, *m_printers)) {
        ShowCurrentPrinter();
        cmdOk_Click();
    }
}

void frmChoosePrintType::closeEvent(QCloseEvent* event)
{
    if (m_printing) {
        event->ignore();
        cmdCancel_Click();
        return;
    }
    QDialog::closeEvent(event);
}

void frmChoosePrintType::reject()
{
    cmdCancel_Click();
}

void frmChoosePrintType::EnableChoiceControls()
{
    if (m_mode != NoMode)
        m_fraPrintWhat[m_mode - 1]->setEnabled(!m_printing);
    m_cmdChangePrinter->setEnabled(!m_printing);
    m_cmdOk->setEnabled(!m_printing);
    AppContext::Current().ui().PumpEvents();
}

void frmChoosePrintType::PrintingProgress(int32_t eProgress, const QString& title, int32_t rowsToPrint,
                                          int32_t rowBeingPrinted, bool& cancelPrinting)
{
    switch (eProgress) {
    case PrinterOfData::Preparing: m_lblPrinterName->setText(QStringLiteral("Preparing to print ") + title); break;
    case PrinterOfData::PrintingRow:
        m_lblPrinterName->setText(QStringLiteral("Printing ") + title + QStringLiteral(" - ") +
                                  QString::number(rowBeingPrinted) + QStringLiteral(" of ") +
                                  QString::number(rowsToPrint));
        break;
    case PrinterOfData::Done:
        m_printing = false;
        EnableChoiceControls();
        ShowCurrentPrinter();
        break;
    default: break;
    }
    cancelPrinting = m_printType == PrintType::Nothing;
    AppContext::Current().ui().PumpEvents();
}

void frmChoosePrintType::PrintSelection()
{
    try {
        if (m_mode == NoMode) {
            const QString text = QStringLiteral("No document printer selection defined");
            throw NevixError(ErrorNumbers::ObjectErrorBase, text, text);
        }
        m_canvas = m_makeCanvas ? m_makeCanvas() : std::make_unique<QtPrinterCanvas>();
        mobjMyPrinter = std::make_unique<PrinterOfData>(*m_canvas);
        mobjMyPrinter->SetPrintingProgress(
            [this](int32_t eProgress, const QString& title, int32_t rows, int32_t row, bool& cancel) {
                PrintingProgress(eProgress, title, rows, row, cancel);
            });
        m_printing = true;
        EnableChoiceControls();

        SysParameters parameters;
        parameters.SetDataSource(&GlobalDatabase());
        parameters.Load();
        mobjMyPrinter->SetPartyName(parameters.PartyName());
        mobjMyPrinter->SetDateRange(
            GetPeriodText(GetPrintPeriod(m_printType, m_periodIndex, AppContext::Current().clock().Today())));

        const bool summary = m_printType == PrintType::Summary;
        if (m_mode == EnquiryMode) {
            mobjMyPrinter->PrintVehicleEnquiries(GetEnquiriesToPrint());
        } else if (m_mode == ResponseMode) {
            const auto responses = GetResponsesToPrint();
            LogRun(ProcessCodes::VQ7PRN, int32_t(responses.size()), [&] {
                if (summary)
                    mobjMyPrinter->PrintVehicleResponseSummary(responses);
                else
                    mobjMyPrinter->PrintVehicleResponses(responses);
            });
        } else {
            const auto statements = GetStatementsToPrint();
            LogRun(ProcessCodes::DEBPRN, int32_t(statements.size()), [&] {
                if (summary)
                    mobjMyPrinter->PrintDebitStatementSummary(statements);
                else
                    mobjMyPrinter->PrintDebitStatements(statements);
            });
        }
    } catch (...) {
        ErrorPersist error;
        error.Load();
        TellUserCritical(QStringLiteral("Error getting and printing"), error.Description());
        m_printing = false;
        EnableChoiceControls();
    }
}

void frmChoosePrintType::LogRun(const QString& processCode, int32_t count, const std::function<void()>& print)
{
    LogLines log;
    log.SetDataSource(&GlobalDatabase());
    const std::shared_ptr<User> user = GetCurrentUser();
    log.BeginLogging(processCode, ProcessCodeDescription(processCode), user ? user->UserName() : QString());
    log.AddToLog(EventCodes::Information, QStringLiteral("Printing ") + QString::number(count) +
                                              QStringLiteral(" in range ") + mobjMyPrinter->DateRange() +
                                              QStringLiteral(" for ") + mobjMyPrinter->PartyName());
    log.AddToLog(EventCodes::Information,
                 QStringLiteral("Printing ") +
                     (m_printType == PrintType::Summary ? QStringLiteral("summary") : QStringLiteral("individually")));
    // The run ends after the print, so that it can name the files printed to.
    try {
        print();
    } catch (...) {
        log.EndLogging();
        throw;
    }
    for (const QString& file : m_canvas->FilesWritten())
        log.AddToLog(EventCodes::Information, QStringLiteral("Printed to file: ") + file);
    log.EndLogging();
}

std::vector<std::shared_ptr<VQ3>> frmChoosePrintType::GetEnquiriesToPrint()
{
    if (m_printType == PrintType::Selected)
        return m_currentVq3 ? std::vector{m_currentVq3} : std::vector<std::shared_ptr<VQ3>>{};
    m_vq3List->ReloadAndSortForPrinting();
    return Members(*m_vq3List);
}

std::vector<std::shared_ptr<VQ7>> frmChoosePrintType::GetResponsesToPrint()
{
    if (m_printType == PrintType::Selected)
        return m_currentVq7 ? std::vector{m_currentVq7} : std::vector<std::shared_ptr<VQ7>>{};
    if (m_printType == PrintType::WholeList)
        return Members(*m_vq7List);
    const PrintPeriod period = GetPrintPeriod(m_printType, m_periodIndex, AppContext::Current().clock().Today());
    VQ7Responses received;
    received.SetDataSource(&GlobalDatabase(), Settings().RunInTestMode());
    received.LoadByWhenReceived(*period.Start, *period.End);
    if (received.Count() < 1)
        TellUser(QStringLiteral("There were no Responses received between ") + DayText(period.Start) +
                     QStringLiteral(" and ") + DayText(period.End),
                 QString(), MsgBox::Information);
    return Members(received);
}

std::vector<std::shared_ptr<DebitStatement>> frmChoosePrintType::GetStatementsToPrint()
{
    if (m_printType == PrintType::Selected)
        return m_currentDeb ? std::vector{m_currentDeb} : std::vector<std::shared_ptr<DebitStatement>>{};
    if (m_printType == PrintType::WholeList)
        return Members(*m_debList);
    const PrintPeriod period = GetPrintPeriod(m_printType, m_periodIndex, AppContext::Current().clock().Today());
    DebitStatements received;
    received.SetDataSource(&GlobalDatabase(), Settings().RunInTestMode());
    received.LoadByChargePeriodStart(LocalDateTime(*period.Start, QTime(0, 0)), LocalDateTime(*period.End, QTime(0, 0)));
    if (received.Count() < 1)
        TellUser(QStringLiteral("There were no statements received between ") + DayText(period.Start) +
                     QStringLiteral(" and ") + DayText(period.End),
                 QString(), MsgBox::Information);
    return Members(received);
}
