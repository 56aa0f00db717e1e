#include "reports/PrinterOfData.h"

#include "core/AskTellUser.h"
#include "platform/NevixError.h"
#include "platform/UserInteraction.h"
#include "records/CommonRoutines.h"
#include "records/DebitStatements.h"
#include "records/VQ3Enquiries.h"
#include "records/VQ7Responses.h"

namespace {
const QString AbortList = QStringLiteral("Abort the printing");
const QString AbortPage = QStringLiteral("Abort the print process");
} // namespace

PrinterOfData::PrinterOfData(ReportCanvas& canvas, const ReportOptions& options)
    : m_page(canvas, options), m_list(m_page), m_enquiriesSent(&CountEnquiriesSentInPeriod),
      m_responsesReceived(&CountResponsesReceivedInPeriod)
{
}

void PrinterOfData::SetPeriodCounts(PeriodCount enquiriesSent, PeriodCount responsesReceived)
{
    m_enquiriesSent = std::move(enquiriesSent);
    m_responsesReceived = std::move(responsesReceived);
}

void PrinterOfData::Raise(int32_t eProgress)
{
    if (m_progress)
        m_progress(eProgress, m_title, m_rowsToPrint, m_rowBeingPrinted, m_cancel);
}

bool PrinterOfData::NextRow()
{
    Raise(PrintingRow);
    ++m_rowBeingPrinted;
    return !m_cancel;
}

void PrinterOfData::Run(const QString& title, int32_t rows, const QString& failureText,
                        const std::function<void()>& report)
{
    m_cancel = false;
    m_title = title;
    m_rowBeingPrinted = 1;
    m_rowsToPrint = rows;
    m_job = 0;
    try {
        Raise(Preparing);
        report();
    } catch (const NevixError& error) {
        TellUserWarning(failureText, error.Description());
    } catch (const std::exception& error) {
        TellUserWarning(failureText, QString::fromLocal8Bit(error.what()));
    }
    Raise(Done);
}

void PrinterOfData::Step(const std::function<void()>& step)
{
    for (;;) {
        QString description;
        try {
            step();
            return;
        } catch (const NevixError& error) {
            description = error.Description();
        } catch (const std::exception& error) {
            description = QString::fromLocal8Bit(error.what());
        }
        const QString detail = QStringList{description, QStringLiteral("You may:"),
                                           QStringLiteral("Correct the problem and press Retry"),
                                           QStringLiteral("Ignore the problem and continue printing"), m_abortText}
                                   .join(QLatin1Char('\r'));
        const int16_t answer = AskUser(QStringLiteral("An error has occurred while printing"), detail,
                                       MsgBox::AbortRetryIgnore, MsgBox::AnswerIgnore);
        if (answer == MsgBox::AnswerAbort)
            throw DocumentAborted{};
        if (answer != MsgBox::AnswerRetry)
            return;
    }
}

void PrinterOfData::EndDocQuietly()
{
    try {
        m_page.Canvas().EndDoc();
    } catch (...) {
        // The document is ended whatever the printer says.
    }
}

void PrinterOfData::Document(const std::function<void()>& body)
{
    try {
        body();
    } catch (const DocumentAborted&) {
    }
    EndDocQuietly();
}

void PrinterOfData::ListDocument(const QString& heading, const std::vector<Column>& columns,
                                 const std::function<void()>& body)
{
    m_heading = heading;
    m_abortText = AbortList;
    m_page.StartDocument(ReportCanvas::Landscape, m_job);
    Document([&] {
        for (size_t n = 0; n < columns.size(); ++n)
            m_list.DefineColumn(int(n + 1), columns[n].heading, columns[n].xOffset);
        Step([&] { m_page.PrintPageHeader(m_heading, m_partyName, m_dateRange); });
        body();
    });
}

void PrinterOfData::ListRecord(ReportGroupState& state, bool orEqual, const std::function<void()>& fillCells)
{
    Step([&] { m_list.BreakPageIfDue(state, m_heading, m_partyName, m_dateRange, orEqual); });
    Step([&] { m_list.ProcessGroupBreak(state); });
    Step([&] {
        fillCells();
        m_list.PrintColumnRow();
    });
}

void PrinterOfData::ListEnd(ReportGroupState& state, bool orEqual, const std::function<void()>& closingLine)
{
    state.newGroupKey = GroupedList::EndKey;
    Step([&] { m_list.BreakPageIfDue(state, m_heading, m_partyName, m_dateRange, orEqual); });
    Step([&] { m_list.ProcessGroupBreak(state); });
    if (closingLine)
        Step(closingLine);
    Step([&] { m_page.PrintPageFooter(m_heading, state.pageNumber); });
}

void PrinterOfData::PrintVehicleEnquiries(const VQ3Enquiries& oEnquiries)
{
    PrintVehicleEnquiries(oEnquiries.NewEnum());
}

void PrinterOfData::PrintVehicleEnquiries(const std::vector<std::shared_ptr<VQ3>>& oEnquiries)
{
    Run(QStringLiteral("Vehicle Enquiries"), int32_t(oEnquiries.size()), QStringLiteral("Error printing enquiries:"),
        [&] {
            if (!oEnquiries.empty())
                EnquiryList(oEnquiries);
        });
}

void PrinterOfData::PrintVehicleResponseSummary(const VQ7Responses& oResponses)
{
    PrintVehicleResponseSummary(oResponses.NewEnum());
}

void PrinterOfData::PrintVehicleResponseSummary(const std::vector<std::shared_ptr<VQ7>>& oResponses)
{
    Run(QStringLiteral("Vehicle Response Summary"), int32_t(oResponses.size()),
        QStringLiteral("Error printing responses:"), [&] {
            if (!oResponses.empty())
                ResponseSummary(oResponses);
        });
}

void PrinterOfData::PrintVehicleResponses(const VQ7Responses& oResponses)
{
    PrintVehicleResponses(oResponses.NewEnum());
}

void PrinterOfData::PrintVehicleResponses(const std::vector<std::shared_ptr<VQ7>>& oResponses)
{
    Run(QStringLiteral("Vehicle Responses"), int32_t(oResponses.size()), QStringLiteral("Error printing responses:"),
        [&] {
            for (const auto& response : oResponses) {
                ResponsePage(*response);
                if (m_cancel)
                    break;
            }
        });
}

void PrinterOfData::PrintDebitStatements(const DebitStatements& oStatements)
{
    PrintDebitStatements(oStatements.NewEnum());
}

void PrinterOfData::PrintDebitStatements(const std::vector<std::shared_ptr<DebitStatement>>& oStatements)
{
    Run(QStringLiteral("Debit Statement"), int32_t(oStatements.size()), QStringLiteral("Error printing statements:"),
        [&] {
            for (const auto& statement : oStatements) {
                StatementPage(*statement);
                if (m_cancel)
                    break;
            }
        });
}

void PrinterOfData::PrintDebitStatementSummary(const DebitStatements& oStatements)
{
    PrintDebitStatementSummary(oStatements.NewEnum());
}

void PrinterOfData::PrintDebitStatementSummary(const std::vector<std::shared_ptr<DebitStatement>>& oStatements)
{
    Run(QStringLiteral("Debit Statement Summary"), int32_t(oStatements.size()),
        QStringLiteral("Error printing statement summaries:"), [&] {
            if (!oStatements.empty())
                StatementSummary(oStatements);
        });
}

void PrinterOfData::Section(const QString& heading, double right, const std::function<void()>& lines)
{
    Step([&] { m_page.PrintSectionHeading(heading); });
    const double top = m_page.Canvas().CurrentY();
    lines();
    Step([&] { m_page.DrawBox(8, top - 2, right, m_page.Canvas().CurrentY() + 2); });
}
