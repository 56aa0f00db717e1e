// The date readers: typed dates, date texts, compact file dates and the
// dates of answer documents, in London time.
//
// Beyond "no crash and no undefined behaviour": whatever a reader returns
// as a value is a valid date-time (never an invalid one that callers would
// take for a value), and a typed date is either the empty date or a real
// one.

#include "FuzzWorld.h"

#include "core/DateText.h"
#include "core/Utils.h"
#include "core/clsDate.h"
#include "platform/NevixError.h"
#include "records/XMLUtils.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    FuzzWorld::Get();
    const QString text = TextOf(data, size);

    clsDate typed;
    typed.SetsDate(text);
    if (!typed.strDate().isEmpty())
        Require(typed.sysDate().date().isValid(), "a typed date that gives a text is a real date");
    else
        Require(typed.sysDate() == clsDate::DayZero(), "a text that is no date leaves the empty date");
    (void)typed.MakeDateOrToday(text);

    if (const NullableDate local = ParseDateText(text))
        Require(local->isValid(), "a date text read as local time is a valid moment");
    if (const NullableDate utc = ParseUtcDateText(text))
        Require(utc->isValid() && utc->timeSpec() == Qt::UTC, "a date text read as UTC is a valid moment");
    if (const auto compact = ParseCompactDate(QVariant(text)))
        Require(compact->isValid(), "a compact date is a valid date");

    try {
        const NullableDate stamp =
            ExtractDateElementValue(QStringLiteral("D"), QStringLiteral("<D>") + text + QStringLiteral("</D>"));
        if (stamp)
            Require(stamp->isValid(), "a date read from an answer is a valid moment");
    } catch (const NevixError&) {
        // A tail the reader does not know is a type mismatch for the caller.
    }
    return 0;
}
