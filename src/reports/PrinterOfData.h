#pragma once

#include "platform/Nullable.h"
#include "reports/GroupedList.h"
#include "reports/ReportOptions.h"
#include "reports/ReportPage.h"

#include <QString>

#include <functional>
#include <memory>
#include <vector>

class DebitStatement;
class DebitStatements;
class ReportCanvas;
class VQ3;
class VQ3Enquiries;
class VQ7;
class VQ7Responses;

// The report printer: the enquiry list, the response summary and pages, the
// debit statement pages and summary. Lists are one document; each record
// page is a print job of its own.
class PrinterOfData {
public:
    static constexpr int32_t Preparing = 1;
    static constexpr int32_t PrintingRow = 2;
    static constexpr int32_t Done = 3;

    // Arguments as the event passes them; setting bCancelPrinting cancels.
    using PrintingProgress = std::function<void(int32_t eProgress, const QString& sReportTitle,
                                                int32_t lRowsToPrint, int32_t lRowBeingPrinted,
                                                bool& bCancelPrinting)>;
    // Enquiries sent, or responses received, within the whole days of a period.
    using PeriodCount = std::function<int32_t(const NullableDate& start, const NullableDate& end)>;

    explicit PrinterOfData(ReportCanvas& canvas, const ReportOptions& options = ReportOptions::FromSettings());

    QString PartyName() const { return m_partyName; }
    void SetPartyName(const QString& value) { m_partyName = value; }
    QString DateRange() const { return m_dateRange; }
    void SetDateRange(const QString& value) { m_dateRange = value; }
    void SetPrintingProgress(PrintingProgress handler) { m_progress = std::move(handler); }
    // The counts a statement page sets against its charges; the stored
    // enquiries and responses by default.
    void SetPeriodCounts(PeriodCount enquiriesSent, PeriodCount responsesReceived);

    void PrintVehicleEnquiries(const VQ3Enquiries& oEnquiries);
    void PrintVehicleEnquiries(const std::vector<std::shared_ptr<VQ3>>& oEnquiries);
    void PrintVehicleResponseSummary(const VQ7Responses& oResponses);
    void PrintVehicleResponseSummary(const std::vector<std::shared_ptr<VQ7>>& oResponses);
    void PrintVehicleResponses(const VQ7Responses& oResponses);
    void PrintVehicleResponses(const std::vector<std::shared_ptr<VQ7>>& oResponses);
    void PrintDebitStatements(const DebitStatements& oStatements);
    void PrintDebitStatements(const std::vector<std::shared_ptr<DebitStatement>>& oStatements);
    void PrintDebitStatementSummary(const DebitStatements& oStatements);
    void PrintDebitStatementSummary(const std::vector<std::shared_ptr<DebitStatement>>& oStatements);

private:
    // Abort in the error box: the rest of the document is skipped.
    struct DocumentAborted {};

    // Events 1, the report, event 3; an error reaching here is shown as a
    // warning under failureText.
    void Run(const QString& title, int32_t rows, const QString& failureText, const std::function<void()>& report);
    void Raise(int32_t eProgress);
    // Event 2 for the next record; false when the run is cancelled.
    bool NextRow();
    // One step of a report: an error asks whether to retry it, ignore it or
    // abort the document.
    void Step(const std::function<void()>& step);
    // Runs a document to its end; an abort skips to the end of the document.
    void Document(const std::function<void()>& body);
    void EndDocQuietly();

    struct Column {
        QString heading;
        double xOffset;
    };
    // One list document: its columns, the first header, then the body.
    void ListDocument(const QString& heading, const std::vector<Column>& columns, const std::function<void()>& body);
    void ListEnd(ReportGroupState& state, bool orEqual, const std::function<void()>& closingLine);
    void ListRecord(ReportGroupState& state, bool orEqual, const std::function<void()>& fillCells);

    void EnquiryList(const std::vector<std::shared_ptr<VQ3>>& enquiries);
    void ResponseSummary(const std::vector<std::shared_ptr<VQ7>>& responses);
    void ResponsePage(const VQ7& response);
    void StatementPage(const DebitStatement& statement);
    void StatementSummary(const std::vector<std::shared_ptr<DebitStatement>>& statements);
    void Section(const QString& heading, double right, const std::function<void()>& lines);

    ReportPage m_page;
    GroupedList m_list;
    QString m_partyName;
    QString m_dateRange;
    PrintingProgress m_progress;
    PeriodCount m_enquiriesSent;
    PeriodCount m_responsesReceived;

    bool m_cancel = false;
    QString m_title;
    QString m_heading; // the title the pages print
    QString m_abortText;
    int32_t m_rowsToPrint = 0;
    int32_t m_rowBeingPrinted = 0;
    int32_t m_job = 0;
};
