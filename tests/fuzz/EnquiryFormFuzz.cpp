// The enquiry screen's check before a save, over what a user can put into
// its detail boxes, against a delivered database holding one enquirer.
//
// The first byte chooses, for the mark, the date of event and the
// reference in turn, whether the text is typed (each key through the box's
// key filter, a control key putting nothing in) or pasted (cut at the box's
// length); then the reason (one with a cut-off, one without), whether the
// ten-year check is off and whether the mark's rules are skipped. The rest
// holds the three texts, UTF-8, parted by 0xFF bytes.
//
// Properties: no box keeps a control character; a refusal always tells the
// user why; and an enquiry the check lets through is one the service takes
// (a mark of 2 to 7 characters or a 17-character VIN, a date of event not
// later than today and, with the age check on, not earlier than the
// reason's limit, a reference of at most 20 characters, each a letter, a
// digit or one of ": -._#@/*;"). A date of event of three plain (unsigned)
// numbers whose first has one or two digits ("20-11-26", "1.3.24") is
// saved as the day they name first, in dates shown as in Britain.

#include "FuzzEnquirers.h"
#include "FuzzWorld.h"

#include "support/FakeClock.h"

#include "accounts/Enquirers.h"
#include "accounts/EnquiryReasons.h"
#include "accounts/Validation.h"
#include "core/ApplicationSettings.h"
#include "core/DateText.h"
#include "core/FormUtilities.h"
#include "platform/AppContext.h"
#include "platform/ConsoleUserInteraction.h"
#include "records/VQ3.h"
#include "records/VRMBlackList.h"
#include "screens/records/EnquiryDates.h"
#include "screens/records/EnquiryForm.h"

#include <QLocale>
#include <QRegularExpression>

#include <functional>

namespace {

// Counts the boxes shown and answers each with its default button.
class CountingUserInteraction : public ConsoleUserInteraction {
public:
    int16_t ShowMessageBox(const QString&, const QString&, uint32_t style) override
    {
        ++shown;
        return DefaultAnswer(style);
    }
    int shown = 0;
};

struct Box {
    int maxLength;
    bool capitals;
    std::function<int16_t(int16_t)> keyFilter;
};

// As the enquiry screen sets its boxes up.
const Box Boxes[] = {
    {17, true, [](int16_t key) { return FilterAlphaNumericKey(key, QStringLiteral(" ")); }},
    {12, false, [](int16_t key) { return FilterKeyToChars(key, QStringLiteral("0123456789/"), CompareMode::Binary); }},
    {20, true, [](int16_t key) { return FilterAlphaNumericKey(key, QStringLiteral(": -._#@/*;")); }},
};

QString Entered(const Box& box, const QString& text, bool typed)
{
    QString held;
    if (typed) {
        for (const QChar c : text) {
            if (held.size() < box.maxLength && c.isPrint() && box.keyFilter(int16_t(c.unicode())) != 0)
                held += c;
        }
    } else {
        held = text.left(box.maxLength);
    }
    return KeptBoxText(held, box.capitals);
}

bool HasControlCharacter(const QString& text)
{
    return std::any_of(text.begin(), text.end(), [](QChar c) { return c.category() == QChar::Other_Control; });
}

bool ServiceTakesReference(const QString& reference)
{
    static const QString allowed = QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789"
                                                  ": -._#@/*;");
    return TrimSpaces(reference).size() <= 20 &&
           std::all_of(reference.begin(), reference.end(), [](QChar c) { return allowed.contains(c); });
}

// Day first, a day or month past its end carried over as the date reader
// carries it (31/02/2024 is 2 March), in a year the last number gives. A
// number with a "+" is signed, no plain number: the date reader takes it.
bool NamesTheDayFirst(const QString& text, const QDate& saved)
{
    static const QRegularExpression threeNumbers(QStringLiteral("^([0-9]{1,2})[^0-9+]+([0-9]+)[^0-9+]+([0-9]+)$"));
    const QRegularExpressionMatch numbers = threeNumbers.match(text.trimmed());
    if (!numbers.hasMatch())
        return true;
    const int day = numbers.captured(1).toInt();
    const int month = numbers.captured(2).toInt();
    const int year = numbers.captured(3).toInt();
    for (const int named : {year, 1900 + year, 2000 + year}) {
        if (DateSerial(named, month, day) == saved)
            return true;
    }
    return false;
}

CountingUserInteraction& UserInteractionOfTheRun()
{
    static const auto ui = [] {
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedKingdom));
        return std::make_shared<CountingUserInteraction>();
    }();
    static const ScopedAppContext scope(std::make_shared<AppContext>(
        std::make_shared<FakeClock>(), ui, AppContext::Current().programFolder(), QStringLiteral("FUZZPC")));
    return *ui;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 1)
        return 0;
    const uint8_t mode = data[0];
    Enquirers& enquirers = FuzzEnquirers();
    CountingUserInteraction& ui = UserInteractionOfTheRun();
    Settings().SetSkip10YearDOECheck((mode & 0x10) != 0);

    const QList<QByteArray> parts =
        QByteArray::fromRawData(reinterpret_cast<const char*>(data + 1), qsizetype(size - 1)).split('\xff');
    QString held[3];
    for (int i = 0; i < 3; ++i) {
        held[i] = Entered(Boxes[i], i < parts.size() ? QString::fromUtf8(parts[i]) : QString(), (mode >> i) & 1);
        Require(!HasControlCharacter(held[i]), "no box keeps a control character");
    }

    const QDateTime now = AppContext::Current().clock().Now();
    EnquiryFormValues form;
    form.vrm = held[0];
    form.dateOfEvent = EnquiryDates::NormaliseDateOfEvent(held[1], now.date());
    form.reference = held[2];
    form.skipVRMValidation = (mode & 0x20) != 0;
    form.enquirerIndex = 0;
    form.reasonIndex = (mode >> 3) & 1;
    VQ3 enquiry;
    const std::optional<QString> undated = ReadFormIntoVQ3(form, enquiry, enquirers, now);
    VRMBlackList blacklist;
    ui.shown = 0;
    const EnquiryValidation checked = ValidateEnquiry(enquiry, undated, enquirers, blacklist, 0);

    if (checked.outcome != EnquiryValidationOutcome::Save) {
        Require(ui.shown > 0, "a refusal tells the user why");
        return 0;
    }
    Require(ui.shown == 0, "a save goes ahead without a warning");
    const qsizetype mark = enquiry.VRMVIN().size();
    Require((mark >= 2 && mark <= 7) || mark == 17, "a saved mark has 2 to 7 characters, or 17");
    Require(ServiceTakesReference(enquiry.EnquiryReference()), "a saved reference is one the service takes");
    Require(enquiry.DateOfEvent().has_value(), "a saved enquiry has a date of event");
    const QDate event = enquiry.DateOfEvent()->date();
    Require(event <= now.date(), "a saved date of event is not later than today");
    Require(NamesTheDayFirst(held[1], event), "a date of three numbers is saved as the day they name first");
    const Enquirers::Pointer enquirer = enquirers.Find(enquiry.EnquirerId());
    Require(enquirer != nullptr, "a saved enquiry has a known enquirer");
    const auto reason = enquirer->EnquiryReasons()->FindByEnquiryCode(enquiry.EnquiryCode());
    Require(reason != nullptr, "a saved enquiry has a reason of its enquirer");
    const int16_t cutOff = reason->DateOfEventCutOff();
    if (cutOff > 0)
        Require(event >= now.date().addDays(-cutOff), "a saved date of event is within the reason's limit");
    else if (!Settings().Skip10YearDOECheck())
        Require(event >= now.date().addYears(-10), "a saved date of event is within ten years");
    return 0;
}
