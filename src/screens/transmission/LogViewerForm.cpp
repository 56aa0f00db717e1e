#include "screens/transmission/LogViewerForm.h"

#include "core/ApplicationSettings.h"
#include "core/AskTellUser.h"
#include "database/LogLines.h"
#include "database/SaveLogToFile.h"
#include "help/HHelper.h"
#include "help/HelpTopics.h"
#include "platform/AppContext.h"
#include "platform/NevixError.h"
#include "reports/qt/QtPrinterCanvas.h"
#include "reports/qt/QtPrinterCatalog.h"
#include "scheduling/TransmissionLogView.h"
#include "screens/transmission/LogListView.h"

#include <QCheckBox>
#include <QEvent>
#include <QFrame>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
const char* const Tag = "Tag";

QPushButton* AddButton(QFrame* frame, QHBoxLayout* layout, const char* name, const QString& caption)
{
    auto* button = new QPushButton(caption, frame);
    button->setObjectName(QString::fromLatin1(name));
    button->setAutoDefault(false);
    layout->addWidget(button);
    return button;
}
} // namespace

LogViewerForm::LogViewerForm(QWidget* parent)
    : QDialog(parent),
      m_chkShowDetail(new QCheckBox(QStringLiteral("Show detailed information"), this)),
      m_lstTransmissionLog(new LogListView(this)),
      m_fraButtons(new QFrame(this))
{
    setModal(true);
    // The icon of the window it opens over: the main menu's, or the one
    // the unattended console took from it.
    if (parent)
        setWindowIcon(parent->windowIcon());
    m_chkShowDetail->setObjectName(QStringLiteral("chkShowDetail"));
    m_chkShowDetail->setToolTip(QStringLiteral(
        "If ticked, shows the detailed log information which is usedful for diagnostics"));
    m_chkShowDetail->setChecked(TransmissionLogView::DetailShownAtLoad(Settings().LogFilter()));
    m_chkShowDetail->installEventFilter(this);
    m_lstTransmissionLog->setObjectName(QStringLiteral("lstTransmissionLog"));
    m_fraButtons->setObjectName(QStringLiteral("fraButtons"));
    auto* buttons = new QHBoxLayout(m_fraButtons);
    buttons->setContentsMargins(0, 0, 0, 0);
    m_cmdPrint = AddButton(m_fraButtons, buttons, "cmdPrint", QStringLiteral("&Print"));
    m_cmdSave = AddButton(m_fraButtons, buttons, "cmdSave", QStringLiteral("&Save"));
    m_cmdReturn = AddButton(m_fraButtons, buttons, "cmdReturn", QStringLiteral("&Close"));
    m_cmdHelp = AddButton(m_fraButtons, buttons, "cmdHelp", QStringLiteral("&Help"));
    m_cmdHelp->hide();

    connect(m_chkShowDetail, &QCheckBox::clicked, this, [this] {
        if (m_chkShowDetail->property(Tag).toString() == QLatin1String("ON"))
            LoadLog();
    });
    connect(m_cmdPrint, &QPushButton::clicked, this, &LogViewerForm::cmdPrint_Click);
    connect(m_cmdSave, &QPushButton::clicked, this, &LogViewerForm::cmdSave_Click);
    connect(m_cmdReturn, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_cmdHelp, &QPushButton::clicked, this, &LogViewerForm::cmdHelp_Click);
}

void LogViewerForm::FinishLayout(QVBoxLayout* layout, int width, int height)
{
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(m_chkShowDetail);
    bottom->addStretch();
    bottom->addWidget(m_fraButtons);
    layout->addLayout(bottom);
    resize(width, height);
    layout->activate();
}

void LogViewerForm::SetPrinting(PrinterCatalog& printers, CanvasFactory canvas)
{
    m_printers = &printers;
    m_canvas = std::move(canvas);
}

bool LogViewerForm::eventFilter(QObject* watched, QEvent* event)
{
    // The box reloads only on the user's clicks, not when the program sets it.
    if (watched == m_chkShowDetail) {
        if (event->type() == QEvent::FocusIn)
            m_chkShowDetail->setProperty(Tag, QStringLiteral("ON"));
        else if (event->type() == QEvent::FocusOut)
            m_chkShowDetail->setProperty(Tag, QString());
    }
    return QDialog::eventFilter(watched, event);
}

void LogViewerForm::keyPressEvent(QKeyEvent* event)
{
    // F1 wherever the focus is, though the Help button is hidden.
    if (event->key() == Qt::Key_F1) {
        cmdHelp_Click();
        return;
    }
    QDialog::keyPressEvent(event);
}

void LogViewerForm::cmdHelp_Click()
{
    ShowHelpTopic(HelpTopics::TransmissionLog);
}

void LogViewerForm::resizeEvent(QResizeEvent* event)
{
    QDialog::resizeEvent(event);
    // The lines wrap to the new width; the selected lines stay selected.
    QList<int> selected;
    const auto lists = Lists();
    for (const auto* list : lists)
        selected << list->SelectedRow();
    LoadLog();
    for (qsizetype i = 0; i < lists.size(); ++i)
        lists[i]->SelectRow(selected[i]);
}

void LogViewerForm::cmdPrint_Click()
{
    try {
        static QtPrinterCatalog programPrinters;
        if (!ShowPrinter(windowTitle(), 0, m_printers ? *m_printers : programPrinters))
            return;
        const auto canvas = m_canvas ? m_canvas() : std::make_unique<QtPrinterCanvas>();
        PrintTransmissionLog(*canvas, PrintTitle(), AppContext::Current().clock().Today(), PrintedLists());
    } catch (const NevixError& e) {
        // Not one line of a log is worth ending the program over.
        TellUserWarning(QStringLiteral("Error printing log"), e.Description());
    }
}

void LogViewerForm::cmdSave_Click()
{
    if (const LogLines* log = Log())
        SaveLogToFile(log->NewEnum());
    else
        SaveLogToFile({});
}
