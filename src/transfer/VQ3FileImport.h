#pragma once

#include "platform/Nullable.h"
#include "transfer/ImportLineLayout.h"

#include <QString>
#include <QStringList>

#include <cstdint>
#include <memory>

class Enquirers;
class ImportProgress;
class ImportQuestions;
class LogLines;
class SysParameters;
class TransmissionResults;
class VQ3;
class VQ3Enquiries;
class VRMBlackList;
class clsDuplicates;

// What the import takes from outside besides its arguments: who answers
// its questions (none: the message boxes) and how long a file's length
// must stay the same before it is read.
struct ImportSeams {
    ImportQuestions* questions = nullptr;
    int32_t settleMilliseconds = 400;
};

// Reads one enquiry file into enquiries and saves the accepted ones in one
// database transaction: all of the file or none. The outcome is only in
// results (counts, fatal text, cancel flag); lines go to the caller's log.
// progress may be null. enquirerId: the default enquirer ("" for none).
// False when the file was still being written after about a minute of
// waiting: it was left as it is for a later run, logged, and is no failure.
bool ImportVQ3FromFile(const QString& path, ImportProgress* progress, LogLines& log, bool autoImport,
                       TransmissionResults& results, const QString& enquirerId,
                       const ImportSeams& seams = {});

// The log line of a file left in place because another program holds it.
QString NotAccessibleText(const QString& path);

// The lines of a text file, UTF-8 or else Windows-1252, with CR LF or LF ends.
QStringList ReadImportFileLines(const QString& path);

// The state of one file's import.
class VQ3FileImport {
public:
    VQ3FileImport(ImportProgress* progress, LogLines& log, bool autoImport, TransmissionResults& results,
                  const QString& enquirerId, const ImportSeams& seams);
    ~VQ3FileImport();

    // See ImportVQ3FromFile.
    bool Run(const QString& path);

private:
    bool WaitUntilSettled(const QString& path) const;
    void Begin(const QString& path);
    void ImportLine(const QString& line);
    std::shared_ptr<VQ3> MakeEnquiry(const ImportedLine& fields) const;
    // The date of a field that replaces one of the import's own; a text
    // that is no date is logged as a warning and gives none.
    NullableDate ImportedDate(const QString& text, const QString& field, const VQ3& enquiry) const;
    void CheckDuplicates(VQ3& enquiry);
    void HandleErrors(VQ3& enquiry, const QString& field);
    void Finish();
    void Close();
    int32_t Ask(const QString& message);
    bool Interactive() const;

    ImportProgress* m_progress;
    LogLines& m_log;
    bool m_autoImport;
    TransmissionResults& m_results;
    QString m_enquirerId;
    ImportSeams m_seams;
    std::unique_ptr<ImportQuestions> m_ownQuestions;

    ImportLineLayout m_layout;
    int32_t m_lineNumber = 0;
    int64_t m_charactersRead = 0;
    int64_t m_fileLength = 0;
    bool m_cancelled = false;
    bool m_skipEnquiry = false;
    int32_t m_lastDuplicateAnswer = 0;
    int32_t m_lastErrorAnswer = 0;
    std::unique_ptr<VQ3Enquiries> m_batch;
    std::unique_ptr<Enquirers> m_enquirers;
    std::unique_ptr<VRMBlackList> m_blacklist;
    std::unique_ptr<SysParameters> m_sysParameters;
    std::unique_ptr<clsDuplicates> m_duplicates;
};
