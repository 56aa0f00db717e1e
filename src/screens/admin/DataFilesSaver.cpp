#include "screens/admin/DataFilesSaver.h"

#include "core/ApplicationSettings.h"
#include "core/AtomicFile.h"
#include "core/CommonDialogs.h"
#include "core/DiskFunctions.h"
#include "core/LoggingGlobals.h"
#include "core/PreservePointer.h"
#include "core/Windows1252.h"
#include "database/LogLines.h"
#include "platform/AppContext.h"
#include "platform/NevixError.h"
#include "records/DebitStatements.h"
#include "records/LongDate.h"
#include "records/VQ3Enquiries.h"
#include "records/VQ7Responses.h"

#include <functional>
#include <memory>

struct DataFilesSaver::KindText {
    const char* folderTitle;
    const char* prefix;
    const QString& processCode;
    const char* firstLine;
    const char* saved;
};

struct DataFilesSaver::Loaded {
    int32_t count = 0;
    QString heading;
    // Calls the sink with each record's line, in collection order.
    std::function<void(const std::function<void(const QString&)>&)> eachRow;
};

namespace {
const QString Source = QStringLiteral("DataFilesSaver");

// Holds the collection for as long as its rows are wanted.
template <typename Collection>
void Keep(std::shared_ptr<Collection> records,
          std::function<void(const std::function<void(const QString&)>&)>& eachRow)
{
    eachRow = [records](const std::function<void(const QString&)>& sink) {
        for (const auto& record : *records)
            sink(record->ColumnsToString());
    };
}

// The run's lines are stored even when its file could not be, and the run
// is ended even when its error line cannot be stored with them: the user
// is told the error all the same.
void EndRunWithError(LogLines& log, const QString& error)
{
    const int32_t lines = log.Count();
    try {
        log.AddToLog(EventCodes::Error, error);
        log.Apply();
    } catch (const NevixError&) {
        while (log.Count() > lines)
            log.Remove(log.Count());
    }
    log.EndLogging();
}

NevixError FileError(const QString& path, const QString& reason)
{
    return NevixError(ErrorNumbers::PathFileAccess, QStringLiteral("Could not write ") + path +
                                                        QStringLiteral(": ") + reason,
                      Source);
}
} // namespace

DataFilesSaver::DataFilesSaver(CDataBase& db, QString ownerCaption, QString userName)
    : m_db(db), m_ownerCaption(std::move(ownerCaption)), m_userName(std::move(userName))
{
}

DataFilesSaver::Loaded DataFilesSaver::Load(int kind) const
{
    const bool testFlag = Settings().RunInTestMode();
    Loaded loaded;
    if (kind == 0) {
        auto enquiries = std::make_shared<VQ3Enquiries>();
        enquiries->SetDataSource(&m_db, testFlag);
        enquiries->Load({});
        loaded.count = enquiries->Count();
        loaded.heading = VQ3::ColumnHeadingsToString();
        Keep(enquiries, loaded.eachRow);
    } else if (kind == 1) {
        auto responses = std::make_shared<VQ7Responses>();
        responses->SetDataSource(&m_db, testFlag);
        responses->Load({}, QString(), std::nullopt, QString(), QStringLiteral("Date_Of_Response"));
        loaded.count = responses->Count();
        loaded.heading = VQ7::ColumnHeadingsToString();
        Keep(responses, loaded.eachRow);
    } else {
        auto statements = std::make_shared<DebitStatements>();
        statements->SetDataSource(&m_db, testFlag);
        statements->Load({});
        loaded.count = statements->Count();
        loaded.heading = DebitStatement::ColumnHeadingsToString();
        Keep(statements, loaded.eachRow);
    }
    return loaded;
}

QString DataFilesSaver::Run()
{
    QString summary;
    for (int kind = 0; kind < 3; ++kind) {
        if (!SaveKind(kind, summary))
            break;
    }
    return summary;
}

bool DataFilesSaver::SaveKind(int kind, QString& summary)
{
    static const KindText Texts[] = {
        {"Save Vehicle Enquiries file to..", "VehicleEnquiries", ProcessCodes::VQ3AEX,
         "Vehicle Enquires  exported on ", "Vehicle Enquiries saved to "},
        {"Save Vehicle Response file to..", "VehicleResponses", ProcessCodes::VQ7AEX,
         "Vehicle Responses exported on ", "Vehicle Responses saved to "},
        {"Save Debit Statement file to..", "DebitStatements", ProcessCodes::DEBAEX,
         "DebitStatements exported on ", "Debit Statements saved to "},
    };
    const KindText& text = Texts[kind];
    Loaded records;
    {
        PreservePointer pointer;
        pointer.SetGlobalHourGlass();
        records = Load(kind);
    }
    if (records.count == 0)
        return true;
    const QString folder = BrowseForFolder(m_ownerCaption, QLatin1String(text.folderTitle), QString());
    if (folder.isEmpty())
        return false;

    LogLines log;
    log.SetDataSource(&m_db);
    log.BeginLogging(text.processCode, ProcessCodeDescription(text.processCode), m_userName);
    QString path;
    try {
        path = WriteFile(text, records, folder, log);
    } catch (const NevixError& e) {
        EndRunWithError(log, e.Description());
        throw;
    }
    if (!summary.isEmpty())
        summary += QStringLiteral("\r\n");
    summary += QLatin1String(text.saved) + path;
    log.EndLogging();
    return true;
}

QString DataFilesSaver::WriteFile(const KindText& text, const Loaded& records, const QString& folder,
                                  LogLines& log) const
{
    PreservePointer pointer;
    pointer.SetGlobalHourGlass();
    const QDateTime now = AppContext::Current().clock().Now();
    const QString name = QLatin1String(text.prefix) + now.toString(QStringLiteral("yyyyMMddhhmm")) +
                         QStringLiteral(".xls");
    const QString first = AddTrailingBackslash(ToForwardSlashes(folder)) + name;
    // A file of the same name (saved within the same minute) is never
    // replaced: the new one takes the next free number.
    for (int number = 0;; ++number) {
        const QString path = number == 0 ? first : NumberedFileName(first, number);
        if (NameTaken(path))
            continue;
        log.AddToLog(EventCodes::Information, QStringLiteral("Exporting to ") + path);
        // Written whole beside its name: a failure leaves no half file.
        AtomicFile file(path, AtomicFile::Placement::NewOnly);
        if (!file.Open())
            throw FileError(path, file.errorString());
        const auto line = [&file](const QString& text) { file.WriteAll(Windows1252::Encode(text) + "\r\n"); };
        line(QLatin1String(text.firstLine) + LongDate(now));
        line(records.heading);
        records.eachRow(line);
        if (file.Commit())
            return path;
        if (!file.TargetExists())
            throw FileError(path, file.errorString());
    }
}
