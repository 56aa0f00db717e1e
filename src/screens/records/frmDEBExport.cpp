// The statement screen's printing and export.
#include "screens/records/frmDEB.h"

#include "core/ApplicationSettings.h"
#include "core/LoggingGlobals.h"
#include "database/TransmissionResults.h"
#include "records/DebitStatements.h"
#include "reports/qt/frmChoosePrintType.h"
#include "screens/records/RecordExport.h"
#include "transfer/DEBUtils.h"

void frmDEB::cmdPrint_Click()
{
    PrintRecords(m_statements->Count(), QStringLiteral("There are no statements to be printed."),
                 [this](frmChoosePrintType& dialog) { dialog.SetForDebs(m_current, *m_statements); });
}

void frmDEB::cmdExport_Click()
{
    const QString pattern = QStringLiteral("*.") + Settings().ExportFileType();
    RecordExport kind;
    kind.CountExportable = [this](const QStringList& ids) { return m_statements->CountExportable(ids); };
    kind.FilePrefix = QStringLiteral("DEB");
    kind.DialogTitle = QStringLiteral("Export Debit Statements");
    kind.Filter = QStringLiteral("Export files (") + pattern + QStringLiteral(")|") + pattern;
    // The run is logged even when no file is chosen.
    kind.ProcessCode = ProcessCodes::DEBEXP;
    kind.Write = ExportAllDebsToFile;
    kind.Exported = &TransmissionResults::DebsExported;
    kind.FatalError = &TransmissionResults::FatalDebExportErrorMessage;
    kind.SetFatalError = &TransmissionResults::SetFatalDebExportErrorMessage;
    kind.NothingToExport = QStringLiteral("There are no Debit Statments to be exported");
    kind.ExportedText = QStringLiteral(" Debit Statements exported successfuly.");
    kind.NoneExported = QStringLiteral("No Debit Statements were exported.");
    ExportRecords(kind);
}
