#include "transfer/VQ3FileImport.h"

#include "accounts/CurrentUser.h"
#include "accounts/Enquirers.h"
#include "accounts/EnquiryReasons.h"
#include "accounts/User.h"
#include "accounts/Validation.h"
#include "core/ApplicationSettings.h"
#include "core/AskTellUser.h"
#include "core/CStopWatch.h"
#include "core/GlobalDeclarations.h"
#include "core/LoggingGlobals.h"
#include "core/Utils.h"
#include "core/Windows1252.h"
#include "database/CDataBase.h"
#include "database/ErrorPersist.h"
#include "database/GlobalDatabase.h"
#include "database/LogLines.h"
#include "database/SysParameters.h"
#include "database/TransmissionResults.h"
#include "platform/AppContext.h"
#include "platform/LocalTime.h"
#include "platform/NevixError.h"
#include "records/JuxMessageErrors.h"
#include "records/VQ3Enquiries.h"
#include "records/VRMBlackList.h"
#include "records/clsDuplicates.h"
#include "transfer/ImportQuestions.h"
#include "transfer/VQ3Utils.h"

#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>
#include <QThread>

namespace {

constexpr qsizetype MaxLineLength = 200;
const QString CrLf = QStringLiteral("\r\n");

void Pump()
{
    AppContext::Current().ui().PumpEvents();
}

QString TrueFalse(bool value)
{
    return value ? QStringLiteral("True") : QStringLiteral("False");
}

NullableDate DateFromField(const QString& text)
{
    const Nullable<QDate> date = ParseCompactDate(text);
    return date ? NullableDate(LocalDateTime(*date, QTime(0, 0))) : std::nullopt;
}

} // namespace

QStringList ReadImportFileLines(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw NevixError(ErrorNumbers::ObjectErrorBase,
                         QStringLiteral("Cannot read ") + path + QStringLiteral(": ") + file.errorString(),
                         QStringLiteral("ImportVQ3FromFile"));
    const QByteArray bytes = file.readAll();
    QStringDecoder utf8(QStringDecoder::Utf8);
    QString text = utf8.decode(bytes);
    // Not UTF-8: the enquirer's system wrote its own code page.
    if (utf8.hasError())
        text = Windows1252::Decode(bytes);
    QStringList lines = text.split(u'\n');
    // A final line end closes the last line; it does not open another.
    if (!lines.isEmpty() && lines.back().isEmpty())
        lines.removeLast();
    for (QString& line : lines) {
        if (line.endsWith(u'\r'))
            line.chop(1);
    }
    return lines;
}

bool ImportVQ3FromFile(const QString& path, ImportProgress* progress, LogLines& log, bool autoImport,
                       TransmissionResults& results, const QString& enquirerId, const ImportSeams& seams)
{
    return VQ3FileImport(progress, log, autoImport, results, enquirerId, seams).Run(path);
}

QString NotAccessibleText(const QString& path)
{
    return path + QStringLiteral(" is not accessible and has not been imported (could not open with file lock).");
}

VQ3FileImport::VQ3FileImport(ImportProgress* progress, LogLines& log, bool autoImport,
                             TransmissionResults& results, const QString& enquirerId, const ImportSeams& seams)
    : m_progress(progress), m_log(log), m_autoImport(autoImport), m_results(results),
      m_enquirerId(enquirerId), m_seams(seams)
{
    if (!m_seams.questions) {
        m_ownQuestions = std::make_unique<MessageBoxImportQuestions>();
        m_seams.questions = m_ownQuestions.get();
    }
}

VQ3FileImport::~VQ3FileImport() = default;

bool VQ3FileImport::Interactive() const
{
    return Settings().ProgramRunningMode() == RunningMode::Interactive;
}

bool VQ3FileImport::Run(const QString& path)
{
    if (!WaitUntilSettled(path)) {
        m_log.AddToLog(EventCodes::Communication, NotAccessibleText(path));
        m_seams.questions->Finished();
        return false;
    }
    // The file's dates repeat: each is made a local time once.
    const LocalTimeMemo dates;
    CDataBase& db = GlobalDatabase();
    const int16_t outerDepth = db.TransactionCount();
    try {
        if (m_progress) {
            m_progress->Load(QStringLiteral("IMPORTING ENQUIRIES"), QStringLiteral("Importing from: ") + path);
            Pump();
        }
        db.BeginTrans();
        Begin(path);
        const QStringList lines = ReadImportFileLines(path);
        m_fileLength = QFileInfo(path).size();
        for (const QString& line : lines) {
            if (m_cancelled)
                break;
            ImportLine(line);
        }
        Finish();
        SavedError().Clear();
    } catch (...) {
        SavedError().Load(std::current_exception());
    }

    try {
        // Whatever is still open of this file's transaction goes.
        while (db.TransactionCount() > outerDepth)
            db.Rollback();
        if (SavedError().Number() != 0) {
            m_log.AddToLog(EventCodes::Error, SavedError().Description());
            m_results.SetFatalVQ3ImportErrorMessage(SavedError().Description());
        }
        Close();
    } catch (...) {
        ErrorPersist failure;
        failure.Load(std::current_exception());
        const QString text =
            QStringLiteral("Error reported in error handler of ImportVQ3FromFile.  Data is probably unreliable");
        TellUserWarning(text + u'.', failure.Description());
        m_results.SetFatalVQ3ImportErrorMessage(text + QStringLiteral(": ") + failure.Description());
    }
    return true;
}

bool VQ3FileImport::WaitUntilSettled(const QString& path) const
{
    // A file that keeps growing for this long (about a minute) is left for a
    // later run rather than waited for without end.
    constexpr int MaxRounds = 150;
    qint64 before = QFileInfo(path).size();
    for (int round = 0;; ++round) {
        if (round == MaxRounds)
            return false;
        // At least one pump per round, however slow the machine: the writer
        // may be this process's own event loop.
        CStopWatch watch;
        do {
            Pump();
            QThread::msleep(10);
        } while (watch.Elapsed() < m_seams.settleMilliseconds);
        const qint64 after = QFileInfo(path).size();
        if (after == before)
            return true;
        before = after;
    }
}

void VQ3FileImport::Begin(const QString& path)
{
    m_log.AddToLog(EventCodes::Communication, ProcessCodeDescription(ProcessCodes::VQ3IMP));
    m_log.AddToLog(EventCodes::Information, QStringLiteral("Importing from: ") + path);
    m_log.AddToLog(EventCodes::Communication,
                   QStringLiteral("Importing in ") + ProgramRunningModeDesc() + QStringLiteral(" mode"));
    if (m_autoImport)
        m_log.AddToLog(EventCodes::Communication, QStringLiteral("Importing in Auto Import (Interactive) mode"));

    CDataBase* db = &GlobalDatabase();
    m_batch = std::make_unique<VQ3Enquiries>();
    m_batch->SetDataSource(db, Settings().RunInTestMode());
    m_enquirers = std::make_unique<Enquirers>();
    m_enquirers->SetDataSource(db);
    m_enquirers->Load();
    m_blacklist = std::make_unique<VRMBlackList>();
    m_blacklist->SetDataSource(db);
    m_blacklist->Load();
    m_sysParameters = std::make_unique<SysParameters>();
    m_sysParameters->SetDataSource(db);
    m_sysParameters->Load();
    m_duplicates = std::make_unique<clsDuplicates>();

    if (Settings().ProgramRunningMode() == RunningMode::Automatic) {
        m_log.AddToLog(EventCodes::Communication,
                       QStringLiteral("Duplicates to file: ") + TrueFalse(m_sysParameters->DuplicatesToFile()));
        m_log.AddToLog(EventCodes::Communication,
                       QStringLiteral("Duplicates to print: ") + TrueFalse(m_sysParameters->DuplicatesToPrint()));
    }
    m_log.AddToLog(EventCodes::Communication, QStringLiteral("Duplicate number of days: ") +
                                                  QString::number(m_sysParameters->DuplicateNumberOfDays()));
}

void VQ3FileImport::ImportLine(const QString& line)
{
    const QString trimmed = TrimSpaces(line);
    const bool blank = trimmed.isEmpty() || trimmed.startsWith(u'#');
    ++m_lineNumber;
    if (!blank && (m_layout.Format() == 0 || m_layout.Format() == ImportFileFormat::FixedLength)) {
        m_layout.Establish(GetImportFileFormat(line), line);
        m_log.AddToLog(EventCodes::Communication,
                       QStringLiteral("Format established as type: ") + ImportFileFormatDesc(m_layout.Format()));
    }
    m_charactersRead += line.size() + 2;
    if (line.size() > MaxLineLength) {
        m_results.SetFatalVQ3ImportErrorMessage(QStringLiteral("File import record size is too large"));
        m_log.AddToLog(EventCodes::Warning, QStringLiteral("Line length ") + QString::number(line.size()) +
                                                QStringLiteral(" too long (max is 200 characters)"));
        m_cancelled = true;
    }
    if (m_progress && !m_cancelled) {
        if (m_charactersRead < m_fileLength)
            m_progress->SetValue(int32_t(m_charactersRead * 100 / m_fileLength));
        Pump();
        if (m_progress->CancelRequested()) {
            m_cancelled = true;
            m_log.AddToLog(EventCodes::Information, QStringLiteral("Import cancelled by the user"));
        }
    }
    if (m_cancelled || blank)
        return;

    m_skipEnquiry = false;
    const ImportedLine fields = m_layout.Read(line);
    const std::shared_ptr<VQ3> enquiry = MakeEnquiry(fields);
    const QString field = ValidateVQ3(*enquiry, *m_enquirers, m_blacklist.get(), *enquiry->Errors(),
                                      m_batch.get(), fields.DateOfEvent);
    if (enquiry->Errors()->Count() == 0)
        CheckDuplicates(*enquiry);
    else
        HandleErrors(*enquiry, field);
    if (!m_skipEnquiry && !m_cancelled)
        m_batch->Add(enquiry);
}

std::shared_ptr<VQ3> VQ3FileImport::MakeEnquiry(const ImportedLine& fields) const
{
    auto enquiry = std::make_shared<VQ3>();
    const std::shared_ptr<User> user = GetCurrentUser();
    enquiry->SetUserName(user ? user->UserName() : QString());
    enquiry->SetComputerName(GetThisComputerName());
    enquiry->SetAutoImport(m_autoImport);
    enquiry->SetSkipVRMValidation(Settings().SkipVRMFormatValidation());
    enquiry->SetIsTest(Settings().RunInTestMode());
    enquiry->SetVRMVIN(fields.VRMVIN);
    enquiry->SetEnquiryReference(fields.EnquiryReference);
    if (fields.HasHardcopyField)
        enquiry->SetHardcopyResponse(fields.HardcopyResponse);
    const QDateTime now = AppContext::Current().clock().Now();
    enquiry->SetWhenImported(now);
    enquiry->SetDateOfEnquiry(LocalDateTime(now.date(), QTime(0, 0)));
    // An unreadable date in these fields keeps the import's own, with a warning.
    if (const NullableDate when = ImportedDate(fields.WhenImported, QStringLiteral("When Imported"), *enquiry))
        enquiry->SetWhenImported(when);
    if (const NullableDate day = ImportedDate(fields.DateOfEnquiry, QStringLiteral("Date Of Enquiry"), *enquiry))
        enquiry->SetDateOfEnquiry(day);

    const QString enquirerId = (fields.EnquirerId.isEmpty() ? m_enquirerId : fields.EnquirerId).toUpper();
    QString code = fields.EnquiryCode.toUpper();
    QString intermediary = fields.IntermediaryId.toUpper();
    QString description = fields.Description;
    const Enquirers::Pointer enquirer = enquirerId.trimmed().isEmpty() ? nullptr : m_enquirers->Find(enquirerId);
    if (enquirer) {
        if (code.isEmpty()) {
            const EnquiryReasons::Pointer reason = enquirer->EnquiryReasons()->DefaultReason();
            if (reason && reason->IsDefault()) {
                code = reason->EnquiryCode();
                description = reason->Description();
            }
        }
        if (intermediary.isEmpty())
            intermediary = enquirer->IntermediaryId();
    }
    enquiry->SetEnquirerId(enquirerId);
    enquiry->SetEnquiryCode(code);
    enquiry->SetEnquiryCodeDesc(description.left(50));
    enquiry->SetIntermediaryId(intermediary);
    if (enquirer) {
        enquiry->SetEnquirerName(enquirer->Name());
        const EnquiryReasons::Pointer reason = enquirer->EnquiryReasons()->FindByEnquiryCode(code);
        if (reason && description.isEmpty())
            enquiry->SetEnquiryCodeDesc(reason->Description());
    }
    return enquiry;
}

NullableDate VQ3FileImport::ImportedDate(const QString& text, const QString& field, const VQ3& enquiry) const
{
    if (text.trimmed().isEmpty())
        return std::nullopt;
    const NullableDate date = DateFromField(text);
    if (!date) {
        m_log.AddToLog(EventCodes::Warning, field + QStringLiteral(" was not a date (") + text +
                                                QStringLiteral("), the import's own date is kept (Line:") +
                                                QString::number(m_lineNumber) + QStringLiteral(", field:") + field +
                                                QStringLiteral(" VRM/VIN: ") + enquiry.VRMVIN() + QStringLiteral(" )."));
        m_results.SetVQ3ImportWarnings(1);
    }
    return date;
}

int32_t VQ3FileImport::Ask(const QString& message)
{
    return m_seams.questions->AskAction(message);
}

void VQ3FileImport::CheckDuplicates(VQ3& enquiry)
{
    if (m_lastDuplicateAnswer == ValidationAction::ContinueAlways)
        return;
    const VQ3Enquiries duplicates =
        GetVQ3Duplicates(enquiry, m_batch.get(), m_sysParameters->DuplicateNumberOfDays());
    if (duplicates.Count() == 0)
        return;
    if (Interactive()) {
        if (m_lastDuplicateAnswer != ValidationAction::SkipAllWithError)
            m_lastDuplicateAnswer = Ask(duplicates.GetDuplicateEnquiryMessage(enquiry));
        if (m_lastDuplicateAnswer == ValidationAction::Cancelled)
            m_cancelled = true;
        if (m_lastDuplicateAnswer == ValidationAction::SkipThisEnquiry ||
            m_lastDuplicateAnswer == ValidationAction::SkipAllWithError)
            m_skipEnquiry = true;
        m_log.AddToLog(EventCodes::Communication, QStringLiteral("Duplicates warning for ") + enquiry.VRMVIN() +
                                                      QStringLiteral(", user response was: ") +
                                                      ValidationActionDesc(m_lastDuplicateAnswer).value_or(QString()));
        return;
    }
    if (!m_sysParameters->DuplicatesToFile() && !m_sysParameters->DuplicatesToPrint()) {
        m_lastDuplicateAnswer = ValidationAction::ContinueAlways;
        return;
    }
    if (m_sysParameters->OnlyReportCurrentDuplicates())
        m_duplicates->AddFromVQ3Duplicate(enquiry);
    else
        m_duplicates->AddFromVQ3Duplicates(duplicates, enquiry);
    m_log.AddToLog(EventCodes::Communication, QStringLiteral("Enquiry duplicate added to report and discarded (vrm: ") +
                                                  enquiry.VRMVIN() + QStringLiteral(", line:") +
                                                  QString::number(m_lineNumber) + u')');
    m_skipEnquiry = true;
}

void VQ3FileImport::HandleErrors(VQ3& enquiry, const QString& field)
{
    const QString errors = enquiry.Errors()->ToString(false);
    if (Interactive()) {
        if (m_lastErrorAnswer != ValidationAction::ContinueAlways &&
            m_lastErrorAnswer != ValidationAction::SkipAllWithError)
            m_lastErrorAnswer = Ask(QStringLiteral("Line ") + QString::number(m_lineNumber) + CrLf + errors + CrLf +
                                    m_layout.Splitter().Source());
        if (m_lastErrorAnswer == ValidationAction::Cancelled)
            m_cancelled = true;
        if (m_lastErrorAnswer == ValidationAction::SkipThisEnquiry ||
            m_lastErrorAnswer == ValidationAction::SkipAllWithError)
            m_skipEnquiry = true;
    } else if (!m_sysParameters->ImportAutoExecuteVQ3Errors()) {
        m_skipEnquiry = true;
    }
    const bool kept = !m_skipEnquiry && !m_cancelled;
    if (kept) {
        if (!CheckEnquirerIdKnown(enquiry, *m_enquirers).isEmpty())
            enquiry.SetEnquirerId(QString());
        m_results.SetVQ3ImportWarnings(1);
    }
    m_log.AddToLog(EventCodes::Warning, errors + QStringLiteral(" (Line:") + QString::number(m_lineNumber) +
                                            QStringLiteral(", field:") + field + QStringLiteral(" VRM/VIN: ") +
                                            enquiry.VRMVIN() + QStringLiteral(" ).") +
                                            (kept ? QStringLiteral("VQ3 imported with error")
                                                  : QStringLiteral(" Line not imported")));
}

void VQ3FileImport::Finish()
{
    if (m_cancelled) {
        m_log.AddToLog(EventCodes::Information, QStringLiteral("No enquiries imported because import was cancelled"));
        m_results.SetUserCancelled(true);
        return;
    }
    m_batch->Apply();
    GlobalDatabase().CommitTrans();
    m_results.SetVQ3sImported(m_batch->Count());
    m_results.SetVQ3FilesImported(1);
    m_log.AddToLog(EventCodes::Information, CountText(QStringLiteral("enquiry"), m_batch->Count()) +
                                                QStringLiteral(" imported"));
    if (m_duplicates->Count() > 0) {
        m_log.AddToLog(EventCodes::Warning,
                       QString::number(m_duplicates->Count()) + QStringLiteral(" duplicate VRMs recorded"));
        m_duplicates->GenerateDuplicateReports(m_log, *m_sysParameters);
    }
}

void VQ3FileImport::Close()
{
    if (m_progress) {
        m_progress->SetValue(100);
        m_progress->Unload();
    }
    m_seams.questions->Finished();
}
