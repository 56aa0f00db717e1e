#include "transfer/DEBUtils.h"

#include "accounts/Enquirers.h"
#include "core/ApplicationSettings.h"
#include "core/DiskFunctions.h"
#include "core/JuxUtils.h"
#include "core/Utils.h"
#include "database/CDataBase.h"
#include "database/DatabaseMark.h"
#include "database/ErrorPersist.h"
#include "database/LogLines.h"
#include "database/SysParameters.h"
#include "database/TransmissionResults.h"
#include "platform/AppContext.h"
#include "platform/LocalTime.h"
#include "platform/NevixError.h"
#include "records/DebitStatements.h"
#include "transfer/ExportFile.h"
#include "transfer/ExportProgress.h"
#include "transfer/ExportRecordWriter.h"
#include "transfer/ExportSteps.h"
#include "transfer/PendingExports.h"

#include <QFileInfo>

#include <memory>

namespace {
const QString Day = QStringLiteral("yyyymmdd");

void SaveWithFile(CDataBase& db, DebitStatements& statements, ExportFile& file)
{
    ::SaveWithFile(&db, [&] { statements.Apply(); }, file);
}
} // namespace

QString PadDebField(const QVariant& value, int16_t width, const QString& pad, int32_t ExportFormat)
{
    return PadField(value, width, pad, ExportFormat, false, false);
}

QString PadDebDate(const NullableDate& value, const QString& pattern, int32_t ExportFormat)
{
    return PadDate(ToVariant(value), pattern, ExportFormat, false, false);
}

QString FormatDebitStatementLine(const DebitStatement& s, bool LegacyExport, int32_t format)
{
    const auto text = [format](const QString& value, int16_t width) {
        return PadDebField(value, width, QStringLiteral(" "), format);
    };
    const auto number = [format](const QVariant& value, int16_t width) {
        return PadDebField(value, width, QStringLiteral("0"), format);
    };
    const auto date = [format](const NullableDate& value, const QString& pattern = Day) {
        return PadDebDate(value, pattern, format);
    };

    QString line = text(s.DEBSTAReference(), 35) + date(s.IssueDate()) + date(s.TransactionDate()) +
                   date(s.ChargePeriodStart()) + date(s.ChargePeriodEnd()) +
                   number(CurrencyText(s.TotalAmountOfDebit()), 18) +
                   number(s.NumberOfCharges(), 15) + number(CurrencyText(s.RateOfCharge()), 15) +
                   number(CurrencyText(s.TotalAmountOfCharge()), 18);
    if (Settings().ConfigVersion() < 3.0f) {
        const QString moment = QStringLiteral("yyyymmddhhnnss");
        line += text(s.DVLABankAccountNumber(), 17) + text(s.DVLABankAccountName(), 35) +
                text(s.DVLABankSortCode(), 17) + text(s.TPBankAccountNumber(), 17) +
                text(s.TPBankAccountName(), 35) + text(s.TPBankSortCode(), 17) +
                number(s.ControlReference(), 8) + date(s.WhenPrepared(), moment) +
                date(s.WhenReceived(), moment);
        if (!LegacyExport)
            line += text(s.EnquirerId(), 5);
    }
    return RemoveTrailingSeparators(line, format);
}

bool ExportDebsToJUXFileInt(DebitStatements& statements, ExportFile& file,
                            ExportProgress* progress, LogLines& log, TransmissionResults& results)
{
    bool cancelled = false;
    std::exception_ptr error;
    try {
        if (progress)
            progress->Start(QStringLiteral("Debit Statement Export"),
                            QStringLiteral("Exporting ") + file.Path());
        log.AddToLog(EventCodes::Information,
                     QStringLiteral("Exporting Debit Statements to ") + file.Path());
        SysParameters parameters;
        parameters.SetDataSource(statements.DataSource());
        parameters.Load();
        const QDateTime today = LocalDateTime(AppContext::Current().clock().Today(), QTime(0, 0));
        int32_t counter = 0;
        for (const auto& statement : statements) {
            ++counter;
            if (progress && progress->Step(int(int64_t(counter) * 100 / statements.Count()))) {
                log.AddToLog(EventCodes::Information, QStringLiteral("Export cancelled"));
                cancelled = true;
                break;
            }
            if (!file.WriteRecord(FormatDebitStatementLine(*statement, parameters.LegacyExport(),
                                                           parameters.ExportFormat())))
                log.AddToLog(EventCodes::Warning,
                             UnwrittenCharactersText(QStringLiteral("the debit statement ") +
                                                     statement->DEBSTAReference() + QStringLiteral(" of ") +
                                                     statement->EnquirerId()));
            statement->SetJuxExportedDate(today);
        }
        if (!cancelled) {
            results.SetDebsExported(statements.Count());
            results.SetDebFilesExported(1);
        }
    } catch (...) {
        error = std::current_exception();
    }
    return FinishExport(file, progress, log, results,
                        &TransmissionResults::SetFatalDebExportErrorMessage, cancelled, error,
                        QStringLiteral("ExportDebsToJUXFileInt"));
}

void ExportDebsForUserEnquirers(CDataBase& db, LogLines& log, TransmissionResults& results)
{
    DebitStatements statements;
    statements.SetDataSource(&db, Settings().RunInTestMode());
    int32_t sequence = 0;
    bool inTransaction = false;
    std::unique_ptr<ExportFile> file;
    try {
        NamePendingExports(db, log);
        const QString mark = DatabaseMark(db);
        for (const auto& enquirer : *UserEnquirers()) {
            statements.Clear();
            TransmissionResults interim;
            if (enquirer->ExportFolder().isEmpty()) {
                log.AddToLog(EventCodes::Warning,
                             QStringLiteral("No export folder for enquirer: ") + enquirer->Name() +
                                 QStringLiteral(" specified.  Debit Statements were not exported."));
                interim.SetDebExportWarnings(1);
                results.CopyDebResults(interim);
                continue;
            }
            TidyExportFolder(db, mark, AppRelativePath(enquirer->ExportFolder()), log);
            db.BeginTrans();
            inTransaction = true;
            statements.LoadExportable({enquirer->EnquirerId()});
            if (statements.Count() > 0) {
                const QString name =
                    MakeExportFileName(enquirer->ExportFolder(), QStringLiteral("DEB"), sequence);
                if (!Settings().ExplicitExportSequence())
                    sequence = 0;
                if (name.isEmpty()) {
                    log.AddToLog(EventCodes::Warning,
                                 QStringLiteral("Export path has reached the maximum number of "
                                                "files so no export has been done in ") +
                                     enquirer->ExportFolder());
                    interim.SetDebExportWarnings(1);
                    statements.Clear();
                } else {
                    file = std::make_unique<ExportFile>(
                        AddTrailingBackslash(AppRelativePath(enquirer->ExportFolder())) + name,
                        ExportFile::Kind::NewFile, mark);
                }
            }
            if (statements.Count() > 0 &&
                ExportDebsToJUXFileInt(statements, *file, nullptr, log, interim))
                SaveWithFile(db, statements, *file);
            inTransaction = false;
            CommitExport(db, file.get());
            if (file)
                LogNamedFile(*file, log);
            file.reset();
            results.CopyDebResults(interim);
        }
    } catch (...) {
        ErrorPersist error;
        error.Load(std::current_exception());
        if (inTransaction) {
            try {
                db.Rollback();
            } catch (...) {
            }
        }
        if (file)
            file->Undo();
        error.SetSource(QStringLiteral("Export DebitStatements"));
        throw error.ToError();
    }
}

void ExportAllDebsToFile(CDataBase& db, const QString& path, LogLines& log,
                         TransmissionResults& results, const QStringList& EnquirerIds,
                         ExportProgress* progress)
{
    bool inTransaction = false;
    std::unique_ptr<ExportFile> file;
    try {
        NamePendingExports(db, log);
        const QString mark = DatabaseMark(db);
        TidyExportFolder(db, mark, QFileInfo(path).absolutePath(), log);
        file = std::make_unique<ExportFile>(path, ExportFile::Kind::AppendTo, mark);
        db.BeginTrans();
        inTransaction = true;
        DebitStatements statements;
        statements.SetDataSource(&db, Settings().RunInTestMode());
        statements.LoadExportable(EnquirerIds);
        if (ExportDebsToJUXFileInt(statements, *file, progress, log, results))
            SaveWithFile(db, statements, *file);
        inTransaction = false;
        CommitExport(db, file.get());
    } catch (...) {
        const QString description = CurrentErrorDescription();
        if (inTransaction) {
            try {
                db.Rollback();
            } catch (...) {
            }
        }
        const QString failure = file ? file->Undo() : QString();
        if (!failure.isEmpty())
            log.AddToLog(EventCodes::Error, failure + u'(' + path + u')');
        log.AddToLog(EventCodes::Error, description);
        results.SetFatalDebExportErrorMessage(QStringLiteral(" Error exporting DEBs ") + description);
    }
}
