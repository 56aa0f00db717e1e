#include "reports/PrinterOfData.h"

#include "core/VbFormat.h"
#include "records/DebitStatement.h"
#include "reports/ReportFormat.h"

#include <cstdlib>

namespace {
constexpr double LabelX = 10;
constexpr double ValueX = 110;
const QString CountPattern = QStringLiteral("###,###,##0");
} // namespace

void PrinterOfData::StatementPage(const DebitStatement& s)
{
    m_heading = QStringLiteral("NEVIX Debit Statement");
    m_abortText = QStringLiteral("Abort the print process");
    m_page.StartDocument(ReportCanvas::Portrait, ++m_job);
    Raise(PrintingRow);
    ++m_rowBeingPrinted;
    auto line = [&](const QString& label, const QString& value) {
        Step([&] { m_page.PrintLabelAndValue(label, value, LabelX, ValueX); });
    };
    auto blank = [&] { Step([&] { m_page.PrintLine(QString()); }); };
    Document([&] {
        Step([&] { m_page.PrintPageHeader(m_heading, m_partyName, m_dateRange); });
        const double right = m_page.RightLimit() + 2;
        Section(QStringLiteral("Statement"), right, [&] {
            line(QStringLiteral("When Prepared"), ReportFormat::DefaultDate(s.WhenPrepared()));
            line(QStringLiteral("When Received"),
                 ReportFormat::Date(s.WhenReceived(), QStringLiteral("dd/mm/yyyy  hh:nn")));
            line(QStringLiteral("Reference"), s.DEBSTAReference());
            line(QStringLiteral("Enquirier"), s.EnquirerName());
        });
        Section(QStringLiteral("Period"), right, [&] {
            line(QStringLiteral("Issue Date"), ReportFormat::DefaultDate(s.IssueDate()));
            line(QStringLiteral("Transaction Date"), ReportFormat::DefaultDate(s.TransactionDate()));
            line(QStringLiteral("Start of Charge Period"), ReportFormat::DefaultDate(s.ChargePeriodStart()));
            line(QStringLiteral("End of Charge Period"), ReportFormat::DefaultDate(s.ChargePeriodEnd()));
        });
        Section(QStringLiteral("Enquiries and Charges"), right, [&] {
            line(QStringLiteral("Number of enquiries"), FormatNumber(s.NumberOfCharges(), CountPattern));
            line(QStringLiteral("Charge per enquiry"), ReportFormat::Money(s.RateOfCharge(), m_page.Options().locale));
            line(QStringLiteral("Total Charge"), ReportFormat::Money(s.TotalAmountOfCharge(), m_page.Options().locale));
            blank();
            line(QStringLiteral("Amount of Debit"), ReportFormat::Money(s.TotalAmountOfDebit(), m_page.Options().locale));
            blank();
            int32_t sent = 0;
            int32_t received = 0;
            Step([&] { sent = m_enquiriesSent(s.ChargePeriodStart(), s.ChargePeriodEnd()); });
            Step([&] { received = m_responsesReceived(s.ChargePeriodStart(), s.ChargePeriodEnd()); });
            line(QStringLiteral("Number of enquiries sent in this period"), FormatNumber(sent, CountPattern));
            line(QStringLiteral("Number of responses received in this period"), FormatNumber(received, CountPattern));
            line(QStringLiteral("Difference between enquiries and charges"),
                 FormatNumber(std::abs(int64_t(sent) - s.NumberOfCharges()), CountPattern));
        });
        if (!m_cancel)
            Step([&] { m_page.PrintPageFooter(m_heading, 0); });
    });
}

void PrinterOfData::StatementSummary(const std::vector<std::shared_ptr<DebitStatement>>& statements)
{
    ListDocument(QStringLiteral("NEVIX Debit Summary"),
                 {{QStringLiteral("Start of period"), 0},
                  {QStringLiteral("End of period"), 50},
                  {QStringLiteral("Number of Charges"), 80},
                  {QStringLiteral("Charge (£)"), 130}},
                 [&] {
        ReportGroupState state;
        state.sumCharges = true;
        for (const auto& statement : statements) {
            if (!NextRow())
                break;
            state.newGroupKey =
                statement->EnquirerName().isEmpty() ? statement->DEBSTAReference() : statement->EnquirerName();
            ListRecord(state, false, [&] {
                m_list.SetCell(1, ReportFormat::Date(statement->ChargePeriodStart(), QStringLiteral("dd/mm/yyyy")));
                m_list.SetCell(2, ReportFormat::Date(statement->ChargePeriodEnd(), QStringLiteral("dd/mm/yyyy")));
                m_list.SetCell(3, FormatNumber(statement->NumberOfCharges(), QStringLiteral("#,##0")));
                m_list.SetCell(4, FormatCurrency(statement->TotalAmountOfCharge(), QStringLiteral("#,##0.00")));
            });
            ++state.groupCount;
            ++state.totalCount;
            state.groupCharge.tenThousandths += statement->TotalAmountOfCharge().tenThousandths;
        }
        if (m_cancel)
            return;
        ListEnd(state, false, {});
    });
}
