#include "screens/records/RecordScreen.h"

#include "accounts/CurrentUser.h"
#include "accounts/Enquirer.h"
#include "accounts/Enquirers.h"
#include "accounts/User.h"
#include "core/ApplicationSettings.h"
#include "core/AskTellUser.h"
#include "core/JuxUtils.h"
#include "core/LoggingGlobals.h"
#include "core/Utils.h"
#include "database/GlobalDatabase.h"
#include "help/HHelper.h"
#include "reports/qt/frmChoosePrintType.h"
#include "screens/records/ExportRun.h"
#include "screens/records/RecordExport.h"
#include "screens/records/Reported.h"
#include "screens/records/ScreenBanner.h"
#include "screens/records/ScreenControls.h"
#include "transfer/ExportProgress.h"

#include <QHBoxLayout>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

RecordScreen::RecordScreen(QWidget* parent, RecordScreenTools tools, int32_t helpTopic)
    : QWidget(parent), m_tools(std::move(tools)), m_grid(new QTableView(this)), m_helpTopic(helpTopic)
{
}

RecordScreen::~RecordScreen() = default;

void RecordScreen::SetUpGrid(QAbstractItemModel* model, const char* name)
{
    SetUpRecordGrid(*m_grid, model, name);
    connect(m_grid->selectionModel(), &QItemSelectionModel::currentRowChanged, this, [this] {
        if (!m_filling)
            ShowCurrentRecord();
    });
}

QLabel* RecordScreen::LayOutWindow(const QString& subject, QLayout* body,
                                   std::initializer_list<QPushButton*> ownButtons)
{
    QLabel* banner = MakeScreenBanner(*this, "picBanner", subject, RecordScreenBannerLook(), m_tools.ScreenHeight);
    m_cmdExport = MakeButton(this, "cmdExport", "&Export");
    m_cmdPrint = MakeButton(this, "cmdPrint", "&Print");
    m_cmdReturn = MakeButton(this, "cmdReturn", "&Close");
    m_cmdHelp = MakeButton(this, "cmdHelp", "&Help");
    auto* buttons = new QHBoxLayout;
    for (QPushButton* button : ownButtons)
        buttons->addWidget(button);
    buttons->addStretch();
    for (QPushButton* button : {m_cmdExport, m_cmdPrint, m_cmdHelp, m_cmdReturn})
        buttons->addWidget(button);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(banner);
    layout->addLayout(body, 1);
    layout->addLayout(buttons);
    connect(m_cmdReturn, &QPushButton::clicked, this, &RecordScreen::cmdReturn_Click);
    connect(m_cmdHelp, &QPushButton::clicked, this, &RecordScreen::cmdHelp_Click);
    return banner;
}

void RecordScreen::ApplyControlLook()
{
    ApplyReadOnlyLook(*this);
}

void RecordScreen::SelectCurrentRow()
{
    const int row = std::max(0, m_grid->currentIndex().row());
    m_filling = true;
    m_grid->setCurrentIndex(m_grid->model()->index(row, 1));
    m_grid->selectRow(row);
    m_filling = false;
    m_grid->setFocus();
    ShowCurrentRecord();
}

QStringList RecordScreen::UserEnquirerIds()
{
    return RequireCurrentUser()->Enquirers()->GetEnquirerIds();
}

void RecordScreen::cmdReturn_Click()
{
    close();
}

void RecordScreen::cmdHelp_Click()
{
    ShowHelpTopic(m_helpTopic);
}

void RecordScreen::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_F1) {
        cmdHelp_Click();
        return;
    }
    QWidget::keyPressEvent(event);
}

bool RecordScreen::event(QEvent* event)
{
    if (event->type() == QEvent::WindowActivate && !m_activated) {
        m_activated = true;
        SelectCurrentRow();
    }
    return QWidget::event(event);
}

void RecordScreen::PrintRecords(int records, const QString& none,
                                const std::function<void(frmChoosePrintType&)>& setUp)
{
    if (records == 0) {
        TellUser(none, QString(), MsgBox::Information);
        return;
    }
    Reported(QStringLiteral("Could not setup printing:"), [this, &setUp] {
        frmChoosePrintType dialog(this);
        dialog.setWindowIcon(windowIcon());
        setUp(dialog);
        dialog.exec();
    }, MsgBox::Exclamation);
}

void RecordScreen::ExportRecords(const RecordExport& kind)
{
    Reported(QStringLiteral("Error doing export:"), [&] {
        const QStringList ids = UserEnquirerIds();
        if (kind.CountExportable(ids) == 0) {
            TellUser(kind.NothingToExport, QString(), MsgBox::Information);
            return;
        }
        const std::shared_ptr<User> user = GetCurrentUser();
        const std::shared_ptr<Enquirer> enquirer = ChooseExportEnquirer(*user->Enquirers(), *m_tools.ChooseEnquirer, this);
        if (!enquirer)
            return;
        // A run begun here is ended also when the export fails.
        ExportRun run(GlobalDatabase());
        int32_t sequence = 0;
        const QString fileName = MakeExportFileName(enquirer->ExportFolder(), kind.FilePrefix, sequence);
        if (fileName.isEmpty()) {
            TellUserWarning(QStringLiteral("Export path has reached the maximum number of files so no export has "
                                           "been done in ") + enquirer->ExportFolder(),
                            QString());
            return;
        }
        if (!kind.ProcessCode.isEmpty())
            run.Logger.BeginLogging(kind.ProcessCode, ProcessCodeDescription(kind.ProcessCode), user->UserName());
        TransmissionResults& results = run.Results;
        // The folder is resolved as the program folder's own.
        const ExportFileChoice choice = ExportFileChoice::Ask(windowTitle(), kind.DialogTitle,
                                                              AppRelativePath(enquirer->ExportFolder()), fileName,
                                                              kind.Filter);
        if (choice.Cancelled)
            results.SetUserCancelled(true);
        if (!choice.Failure.isEmpty())
            (results.*kind.SetFatalError)(choice.Failure);
        if (!choice.File.isEmpty() && !results.HaveFatalErrors()) {
            const std::unique_ptr<ExportProgress> progress =
                m_tools.MakeExportProgress ? m_tools.MakeExportProgress(this) : nullptr;
            kind.Write(GlobalDatabase(), choice.File, run.Logger, results, {enquirer->EnquirerId()}, progress.get());
        }
        run.End();
        const QString fatal = (results.*kind.FatalError)();
        const int32_t exported = (results.*kind.Exported)();
        if (!fatal.isEmpty())
            TellUserWarning(QStringLiteral("There were errors reported while doing the export"), fatal);
        else if (exported > 0)
            TellUser(QString::number(exported) + kind.ExportedText, QString(), MsgBox::Information);
        else if (results.UserCancelled())
            TellUser(QStringLiteral("Export cancelled."), QString(), MsgBox::Information);
        else
            TellUser(kind.NoneExported, QString(), MsgBox::Information);
        m_cmdExport->setEnabled(kind.CountExportable(ids) >= 1);
    });
}
