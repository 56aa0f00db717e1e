#include "reports/PrinterOfData.h"

#include "reports/ReportFormat.h"
#include "records/VQ3.h"

void PrinterOfData::EnquiryList(const std::vector<std::shared_ptr<VQ3>>& enquiries)
{
    ListDocument(QStringLiteral("NEVIX Enquiries"),
                 {{QStringLiteral("VRM/VIN"), 0},
                  {QStringLiteral("Date of Event"), 50},
                  {QStringLiteral("Date of Enquiry"), 80},
                  {QStringLiteral("HC"), 110},
                  {QStringLiteral("Enquiry Reference"), 120},
                  {QStringLiteral("Sent"), 180},
                  {QStringLiteral("Received"), 220}},
                 [&] {
        ReportGroupState state;
        state.usesSubGroups = true;
        for (const auto& enquiry : enquiries) {
            if (!NextRow())
                break;
            state.newGroupKey = enquiry->EnquirerName();
            state.newSubGroupKey = enquiry->EnquiryCodeDesc();
            ListRecord(state, true, [&] {
                m_list.SetCell(1, enquiry->VRMVIN());
                m_list.SetCell(2, ReportFormat::Date(enquiry->DateOfEvent(), QStringLiteral("dd/mm/yyyy")));
                m_list.SetCell(3, ReportFormat::Date(enquiry->DateOfEnquiry(), QStringLiteral("dd/mm/yyyy")));
                m_list.SetCell(4, enquiry->HardcopyResponse() ? QStringLiteral("Y") : QString());
                m_list.SetCell(5, enquiry->EnquiryReference());
                m_list.SetCell(6, ReportFormat::Date(enquiry->WhenSent(), QStringLiteral("dd/mm/yyyy  hh:mm")));
                m_list.SetCell(7, enquiry->ResponseReceived() != 0 ? QStringLiteral("Y") : QString());
            });
            const int32_t returned = enquiry->ResponseReceived() != 0 ? 1 : 0;
            ++state.groupCount;
            state.groupReturned += returned;
            ++state.subGroupCount;
            state.subGroupReturned += returned;
            ++state.totalCount;
            state.totalReturned += returned;
        }
        if (m_cancel)
            return;
        state.newSubGroupKey = GroupedList::EndKey;
        ListEnd(state, true, [&] {
            m_page.PrintLine(QStringLiteral("Total number enquiries : ") + QString::number(state.totalCount) +
                                 QStringLiteral(", number returned : ") + QString::number(state.totalReturned),
                             {}, true);
        });
    });
}
