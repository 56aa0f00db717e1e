#include "reports/PrinterOfData.h"

#include "platform/AppContext.h"
#include "records/DVLAUtils.h"
#include "records/JuxMessageErrors.h"
#include "records/VQ7.h"
#include "reports/CommentLines.h"
#include "reports/ReportFormat.h"

namespace {
// The note of a response: the DVLA notice, or its first message error.
QString ResponseNote(const VQ7& response)
{
    const QString code = response.DVLAERRCode();
    if (code.isEmpty())
        return {};
    if (code == QLatin1String("X")) {
        const auto& errors = response.GetErrors();
        return errors.Count() >= 1 ? errors.Item(1)->Description() : QString();
    }
    return DVLACodeText(code);
}

QString KeeperTitle(const VQ7& response)
{
    const QString title = response.Title();
    if (!title.isEmpty())
        return title.compare(QLatin1String("other"), Qt::CaseInsensitive) == 0 ? QString() : title;
    const QString code = response.KeeperTitleCode();
    if (code == QLatin1String("1"))
        return QStringLiteral("Mr.");
    if (code == QLatin1String("2"))
        return QStringLiteral("Mrs.");
    if (code == QLatin1String("3"))
        return QStringLiteral("Miss");
    if (code == QLatin1String("5"))
        return QStringLiteral("Official name");
    if (code == QLatin1String("7"))
        return QStringLiteral("Pseudo name");
    return code;
}

constexpr double Label1 = 10;
constexpr double Value1 = 50;
constexpr double Label2 = 100;
constexpr double Value2 = 150;
const QString DayPattern = QStringLiteral("dd/mm/yyyy");
} // namespace

void PrinterOfData::ResponseSummary(const std::vector<std::shared_ptr<VQ7>>& responses)
{
    ListDocument(QStringLiteral("NEVIX Response Summary"),
                 {{QStringLiteral("Date Received"), 0},
                  {QStringLiteral("VRM"), 30},
                  {QStringLiteral("VIN"), 60},
                  {QStringLiteral("Make"), 100},
                  {QStringLiteral("Model"), 160},
                  {QStringLiteral("Note"), 220}},
                 [&] {
        ReportGroupState state;
        state.countResponses = true;
        state.days = ReportGroupState::Days::NoDayYet;
        for (const auto& response : responses) {
            if (!NextRow())
                break;
            state.newGroupKey = response->EnquirerName();
            const NullableDate received = response->WhenReceived();
            state.newDate = received ? received->date() : QDate();
            ListRecord(state, false, [&] {
                m_list.SetCell(1, ReportFormat::Date(received, DayPattern));
                m_list.SetCell(2, response->RegistrationNumber().isEmpty() ? response->VRM()
                                                                            : response->RegistrationNumber());
                m_list.SetCell(3, response->VIN());
                m_list.SetCell(4, response->Make());
                m_list.SetCell(5, response->Model());
                m_list.SetCell(6, ResponseNote(*response));
            });
            ++state.groupCount;
            ++state.totalCount;
            ++state.dayCount;
        }
        if (m_cancel)
            return;
        state.newDate = AppContext::Current().clock().Now().date().addDays(1);
        ListEnd(state, false, {});
    });
}

void PrinterOfData::ResponsePage(const VQ7& r)
{
    m_heading = QStringLiteral("NEVIX Vehicle Response");
    m_abortText = QStringLiteral("Abort the print process");
    m_page.StartDocument(ReportCanvas::Portrait, ++m_job);
    Raise(PrintingRow);
    ++m_rowBeingPrinted;
    const bool legacy = r.IsLegacyData();
    auto line = [&](const QString& label, const QString& value, double labelX = Label1, double valueX = Value1) {
        Step([&] { m_page.PrintLabelAndValue(label, value, labelX, valueX); });
    };
    auto day = [](const NullableDate& value) { return ReportFormat::Date(value, DayPattern); };
    Document([&] {
        Step([&] { m_page.PrintPageHeader(m_heading, m_partyName, m_dateRange); });

        Step([&] { m_page.PrintSectionHeading(QStringLiteral("Enquiry Details")); });
        double top = m_page.Canvas().CurrentY();
        line(QStringLiteral("VRM/VIN"), r.VRM());
        line(QStringLiteral("Date of Event"), ReportFormat::DefaultDate(r.DateOfEvent()));
        line(QStringLiteral("Enquiry Reference"), r.EnquiryReference());
        line(QStringLiteral("Enquirer"), m_page.FitTextToWidth(r.EnquirerName(), 45));
        line(QStringLiteral("Reason"), m_page.FitTextToWidth(r.EnquiryCodeDesc(), 45));
        double bottom = m_page.Canvas().CurrentY();
        m_page.Canvas().SetCurrentY(top);
        line(QStringLiteral("Date of Response"), ReportFormat::DefaultDate(r.DateOfResponse()), Label2, Value2);
        line(QStringLiteral("When Prepared"), ReportFormat::DefaultDate(r.WhenPrepared()), Label2, Value2);
        line(QStringLiteral("When Received"), ReportFormat::Date(r.WhenReceived(), QStringLiteral("dd/mm/yyyy hh:nn")),
             Label2, Value2);
        Step([&] { m_page.DrawBox(8, top - 2, m_page.RightLimit(), bottom + 2); });

        if (!r.DVLAERRCode().isEmpty()) {
            Section(QStringLiteral("DVLA Notices"), m_page.RightLimit(), [&] {
                if (r.DVLAERRCode() == QLatin1String("X")) {
                    const auto& errors = r.GetErrors();
                    for (int32_t i = 1; i <= errors.Count(); ++i)
                        Step([&] { m_page.PrintLine(errors.Item(i)->Description(), Label1, false); });
                } else {
                    Step([&] { m_page.PrintLine(DVLACodeText(r.DVLAERRCode()), Label1, false); });
                }
            });
        }

        Section(QStringLiteral("Vehicle Details"), m_page.RightLimit(), [&] {
            if (!r.RegistrationNumber().isEmpty())
                line(QStringLiteral("Registration"), r.RegistrationNumber());
            line(QStringLiteral("Vehicle Make"), r.Make());
            line(QStringLiteral("Vehicle Model"), r.Model());
            line(QStringLiteral("Vehicle Colour"), r.Colour());
            line(QStringLiteral("Secondary Colour"), r.SecondaryColour().left(50));
            line(QStringLiteral("Body Type"), r.BodyType().left(50));
            if (legacy)
                line(QStringLiteral("Engine Capacity"), r.EngineCapacity());
            line(QStringLiteral("VIN"), r.VIN());
            line(QStringLiteral("Tax Class"), r.TaxClass());
            line(QStringLiteral("Tax Status"), r.TaxStatus().left(50));
            line(QStringLiteral("Fleet Number"), r.FleetNumber().left(50));
            line(QStringLiteral("Seating Capacity"), r.SeatingCapacity());
        });

        if (legacy) {
            Section(QStringLiteral("Vehicle Dates"), m_page.RightLimit(), [&] {
                const double datesTop = m_page.Canvas().CurrentY();
                line(QStringLiteral("First Registered"), day(r.DateFirstRegistered()));
                line(QStringLiteral("License Expiry Date"), day(r.DateOfLicenseExpiry()));
                line(QStringLiteral("Date of Export"), day(r.DateofExport()));
                m_page.Canvas().SetCurrentY(datesTop);
                line(QStringLiteral("Date of Scrapping"), day(r.DateofScrap()), Label2, Value2);
                line(QStringLiteral("Date of Theft"), day(r.DateOfTheft()), Label2, Value2);
                line(QStringLiteral("Date of Recovery"), day(r.DateOfRecovery()), Label2, Value2);
            });
        }

        Section(QStringLiteral("Keeper Details"), m_page.RightLimit(), [&] {
            QString keeperName;
            if (!r.CompanyName().isEmpty()) {
                line(QStringLiteral("Company"), r.CompanyName().left(70));
            } else if (!r.OtherName().isEmpty()) {
                line(QStringLiteral("Company"), r.OtherName().left(70));
            } else if (legacy) {
                QString title = KeeperTitle(r);
                if (!r.KeeperName1().isEmpty() && !r.KeeperName2().isEmpty())
                    keeperName = r.KeeperName1() + QStringLiteral(", ") + r.KeeperName2();
                else if (!r.KeeperName1().isEmpty())
                    keeperName = r.KeeperName1();
                else
                    keeperName = r.KeeperName2();
                if (keeperName.isEmpty())
                    title.clear();
                line(QStringLiteral("Title"), title);
                line(QStringLiteral("Name"), keeperName);
            } else {
                line(QStringLiteral("Title"), r.Title());
                line(QStringLiteral("Name"), r.KeeperName2().left(30) + QLatin1Char(' ') + r.KeeperName1().left(35));
                keeperName = r.KeeperName1();
            }
            const bool address = !r.CompanyName().isEmpty() || !r.OtherName().isEmpty() || !keeperName.isEmpty();
            line(QStringLiteral("Address"), address ? r.KeeperAddress1() : QString());
            line(QString(), address ? r.KeeperAddress2() : QString());
            line(QString(), address ? r.KeeperAddress3() : QString());
            line(QString(), address ? r.KeeperAddress4() : QString());
            line(QStringLiteral("Town"), address ? r.KeeperPostTown() : QString());
            line(QStringLiteral("Post code"), address ? r.KeeperPostCode() : QString());
            if (legacy || !address) {
                line(QStringLiteral("Previous Keepers"), address ? QString::number(r.NumberOfKeepers()) : QString());
                line(QStringLiteral("Last Keeper Changed"), address ? day(r.DateLastKeeperChange()) : QString());
            }
        });

        Section(QStringLiteral("Comments"), m_page.RightLimit(), [&] {
            for (const QString& text : CommentLines(r.Comment()))
                Step([&] { m_page.PrintLine(text, Label1); });
        });

        Step([&] { m_page.PrintPageFooter(m_heading, 0); });
    });
}
