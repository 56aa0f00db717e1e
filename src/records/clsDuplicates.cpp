#include "records/clsDuplicates.h"

#include "core/AtomicFile.h"
#include "core/DiskFunctions.h"
#include "core/Utils.h"
#include "core/VbFormat.h"
#include "database/LogLines.h"
#include "database/SqliteError.h"
#include "database/SysParameters.h"
#include "platform/AppContext.h"
#include "platform/NevixError.h"

#include <QDir>
#include <functional>
#include <QStringList>

namespace {
const QString PeriodFormat = QStringLiteral("dd/mm/yy hh:nn");
const QString CrLf = QStringLiteral("\r\n");

// Every field in double quotes (a quote inside stays as it is), separated
// by commas.
QString CsvLine(const QStringList& fields)
{
    return QLatin1Char('"') + fields.join(QStringLiteral("\",\"")) + QLatin1Char('"') + CrLf;
}

NevixError FileError(const QString& path, const QString& reason)
{
    return NevixError(ErrorNumbers::PathFileAccess,
                      QStringLiteral("Cannot write ") + path + QStringLiteral(": ") + reason,
                      QStringLiteral("clsDuplicates.GenerateDuplicateReports"));
}
} // namespace

bool clsDuplicates::IsDirty() const
{
    for (const Pointer& item : m_items) {
        if (item->IsDirty())
            return true;
    }
    return false;
}

bool clsDuplicates::IsNew() const
{
    for (const Pointer& item : m_items) {
        if (item->IsNew())
            return true;
    }
    return false;
}

clsDuplicates::Pointer clsDuplicates::Item(int32_t varIndex) const
{
    if (varIndex < 1 || varIndex > Count())
        throw NevixError(ErrorNumbers::SubscriptOutOfRange, QStringLiteral("Subscript out of range"));
    return m_items[size_t(varIndex - 1)];
}

void clsDuplicates::Remove(int32_t varIndex)
{
    if (varIndex >= 1 && varIndex <= Count())
        m_items.erase(m_items.begin() + (varIndex - 1));
}

QString clsDuplicates::EventDateText(const std::optional<QDateTime>& value)
{
    return value ? EventDateText(value->date()) : QString();
}

QString clsDuplicates::EventDateText(const QDate& value)
{
    return value.isValid() ? value.toString(QStringLiteral("yyyyMMdd")) : QString();
}

void clsDuplicates::AddPair(const QString& vrm, const QString& dupDate, const QString& dupReference,
                            const QString& prevDate, const QString& prevReference)
{
    auto pair = std::make_shared<clsDuplicate>();
    pair->SetDupVRM(vrm);
    pair->SetDupEventDate(dupDate);
    pair->SetDupReferenceNumber(dupReference);
    pair->SetPrevEventDate(prevDate);
    pair->SetPrevReferenceNumber(prevReference);
    Add(std::move(pair));
}

void clsDuplicates::WriteReportFile(QIODevice& device, const QString& fromText,
                                    const QString& toText) const
{
    QString text = CsvLine({QStringLiteral("Duplicate Report For Period ") + fromText +
                            QStringLiteral(" to ") + toText});
    text += CsvLine({QStringLiteral("VRM"), QStringLiteral("Event Date"), QStringLiteral("Ref Number"),
                     QStringLiteral("Event Date"), QStringLiteral("Ref Number")});
    for (const Pointer& pair : m_items)
        text += CsvLine({pair->DupVRM(), pair->DupEventDate(), pair->DupReferenceNumber(),
                         pair->PrevEventDate(), pair->PrevReferenceNumber()});
    const QByteArray bytes = text.toUtf8();
    if (device.write(bytes) != bytes.size())
        throw NevixError(ErrorNumbers::PathFileAccess, device.errorString(),
                         QStringLiteral("clsDuplicates.WriteReportFile"));
}

QString clsDuplicates::ReportFilePath(const QString& folder, const QDateTime& minute, int number)
{
    const QString stem = QDir(folder).filePath(QStringLiteral("Duplicate_") +
                                               FormatDateTime(minute, QStringLiteral("yyyymmdd-hhnnss")));
    return number < 2 ? stem + QStringLiteral(".csv") : stem + QStringLiteral("_%1.csv").arg(number);
}

QString clsDuplicates::CreateReportFile(const QString& folder, const QDateTime& minute, LogLines& log,
                                        const QString& fromText, const QString& toText) const
{
    // Two reports within one minute (of this installation or another one
    // writing to the same folder) would share a name: the file is created
    // only when no file has it, else the next number is taken, so no report
    // ever replaces another.
    for (int number = 1;; ++number) {
        const QString path = ReportFilePath(folder, minute, number);
        if (NameTaken(path))
            continue;
        log.AddToLog(EventCodes::Communication, QStringLiteral("Writing to: ") + path);
        // Written whole beside its name, which it takes only while no file
        // has it: no half report is ever seen, none is left behind.
        AtomicFile file(path, AtomicFile::Placement::NewOnly);
        if (!file.Open())
            throw FileError(path, file.errorString());
        WriteReportFile(file, fromText, toText);
        if (file.Commit())
            return path;
        if (!file.TargetExists()) // else taken in the meantime
            throw FileError(path, file.errorString());
    }
}

void clsDuplicates::GenerateDuplicateReports(LogLines& objLog, SysParameters& objSysParameters) const
{
    try {
        objLog.AddToLog(EventCodes::Communication,
                        QStringLiteral("Writing ") + QString::number(Count()) +
                            QStringLiteral(" duplicates"));
        // The period's texts carry the minute; the file name and the next
        // report's start are that same minute.
        QDateTime to = AppContext::Current().clock().Now();
        to = to.addMSecs(-(to.time().second() * 1000 + to.time().msec()));
        const QDateTime from = objSysParameters.TimeOfLastDuplicate().value_or(to);
        const QString fromText = FormatDateTime(from, PeriodFormat);
        const QString toText = FormatDateTime(to, PeriodFormat);

        std::unique_ptr<ReportCanvas> printer;
        if (objSysParameters.DuplicatesToPrint()) {
            printer = AppContext::Current().OpenPrinter();
            if (!printer) {
                objLog.AddToLog(EventCodes::Warning,
                                QStringLiteral("Printing of duplicates not available so no report printed"));
            } else {
                objLog.AddToLog(EventCodes::Communication, QStringLiteral("Printing 1st page header"));
                PrintDuplicateHeader(*printer, fromText, toText, true);
            }
        }

        if (objSysParameters.DuplicatesToFile()) {
            const QString folder = AppRelativePath(objSysParameters.DuplicateReportPath());
            if (folder.isEmpty()) {
                objLog.AddToLog(EventCodes::Warning,
                                QStringLiteral("No duplicate file name defined (Settings: "
                                               "DuplicateReportPath) so no file written"));
            } else {
                QDir().mkpath(folder);
                CreateReportFile(folder, to, objLog, fromText, toText);
            }
        }

        if (printer) {
            for (const auto& pair : m_items)
                PrintDuplicateLine(*printer, *pair, fromText, toText);
            printer->EndDoc();
            for (const QString& file : printer->FilesWritten())
                objLog.AddToLog(EventCodes::Communication, QStringLiteral("Printed to file: ") + file);
        }

        objSysParameters.SetTimeOfLastDuplicate(to);
        objSysParameters.Apply();
        objLog.AddToLog(EventCodes::Communication, QStringLiteral("Duplicates written"));
    } catch (const NevixError& error) {
        objLog.AddToLog(EventCodes::Error,
                        QStringLiteral("Writing/Printing duplicates failed. Error:") + error.Description());
    } catch (const std::exception& error) {
        objLog.AddToLog(EventCodes::Error, QStringLiteral("Writing/Printing duplicates failed. Error:") +
                                               QString::fromLocal8Bit(error.what()));
    }
}

namespace {
// The header's statements each go on after a failure.
void Ignoring(const std::function<void()>& statement)
{
    try {
        statement();
    } catch (const NevixError&) {
    }
}

void PrintAt(ReportCanvas& printer, double x, const QString& text)
{
    printer.SetCurrentX(x);
    printer.Print(text, false);
}
} // namespace

void clsDuplicates::PrintDuplicateHeader(ReportCanvas& printer, const QString& fromText, const QString& toText,
                                         bool startJob)
{
    if (startJob)
        Ignoring([&] { printer.StartJob(ReportCanvas::Portrait, 0); });
    Ignoring([&] { printer.SetFontName(QStringLiteral("Arial")); });
    Ignoring([&] { printer.SetFontSize(10); });
    Ignoring([&] { PrintAt(printer, 50, QStringLiteral("DVLA Tamblor - Duplcate VRMs")); });
    Ignoring([&] { printer.LineFeed(); });
    Ignoring([&] {
        PrintAt(printer, 30, QStringLiteral("Duplicate Report For Period ") + fromText + QStringLiteral(" to ") + toText);
    });
    Ignoring([&] { printer.LineFeed(); });
    Ignoring([&] { printer.LineFeed(); });
    Ignoring([&] { PrintAt(printer, 50, QStringLiteral("Duplicate Request")); });
    Ignoring([&] { PrintAt(printer, 120, QStringLiteral("Previous Request")); });
    Ignoring([&] { printer.LineFeed(); });
    Ignoring([&] { PrintAt(printer, 5, QStringLiteral("VRM")); });
    Ignoring([&] { PrintAt(printer, 40, QStringLiteral("Event Date")); });
    Ignoring([&] { PrintAt(printer, 75, QStringLiteral("Ref Number")); });
    Ignoring([&] { PrintAt(printer, 110, QStringLiteral("Event Date")); });
    Ignoring([&] { PrintAt(printer, 145, QStringLiteral("Ref Number")); });
    Ignoring([&] { printer.LineFeed(); });
    Ignoring([&] { printer.LineFeed(); });
}

void clsDuplicates::PrintDuplicateLine(ReportCanvas& printer, const clsDuplicate& pair, const QString& fromText,
                                       const QString& toText)
{
    // A page holds lines down to 20 mm above its end.
    if (printer.CurrentY() >= printer.ScaleHeight() - 20) {
        printer.NewPage();
        PrintDuplicateHeader(printer, fromText, toText, false);
    }
    PrintAt(printer, 5, pair.DupVRM());
    PrintAt(printer, 40, pair.DupEventDate());
    PrintAt(printer, 75, pair.DupReferenceNumber());
    PrintAt(printer, 110, pair.PrevEventDate());
    PrintAt(printer, 145, pair.PrevReferenceNumber());
    printer.LineFeed();
}
