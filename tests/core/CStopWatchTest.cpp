#include "core/CStopWatch.h"
#include "platform/NevixError.h"

#include <gtest/gtest.h>

namespace {

TEST(CStopWatch, MeasuresFromCreationAndFromReset)
{
    int64_t now = 5'000'000'000; // far past the 32-bit range
    CStopWatch watch([&] { return now; });
    EXPECT_EQ(watch.Elapsed(), 0);
    now += 500;
    EXPECT_EQ(watch.Elapsed(), 500);
    watch.Reset();
    now += 200;
    EXPECT_EQ(watch.Elapsed(), 200);
}

TEST(CStopWatch, ElapsedPastThe32BitRangeIsAnOverflow)
{
    int64_t now = 0;
    CStopWatch watch([&] { return now; });
    now = int64_t(1) << 31;
    try {
        (void)watch.Elapsed();
        FAIL() << "no overflow";
    } catch (const NevixError& e) {
        EXPECT_EQ(e.Number(), 6);
    }
}

} // namespace
