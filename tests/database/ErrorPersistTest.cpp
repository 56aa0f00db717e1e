#include "database/ErrorPersist.h"
#include "platform/NevixError.h"
#include "support/Printers.h"

#include <gtest/gtest.h>

namespace {

TEST(ErrorPersist, KeepsTheHandledErrorAfterTheHandlerEnds)
{
    ErrorPersist saved;
    try {
        throw NevixError(ErrorNumbers::Concurrency, QStringLiteral("Concurrency prevented update."),
                         QStringLiteral("VQ3.Apply"));
    } catch (...) {
        saved.Load();
    }
    EXPECT_EQ(saved.Number(), static_cast<int32_t>(0x80040064u));
    EXPECT_EQ(saved.Source(), QStringLiteral("VQ3.Apply"));
    EXPECT_EQ(saved.Description(), QStringLiteral("Concurrency prevented update."));
    const NevixError again = saved.ToError();
    EXPECT_EQ(again.Number(), saved.Number());
}

TEST(ErrorPersist, NoSourceReportsTheProgramAndNoErrorClears)
{
    ErrorPersist saved;
    saved.Load(NevixError(ErrorNumbers::ObjectErrorBase, QStringLiteral("Unable to load")));
    EXPECT_EQ(saved.Source(), QStringLiteral("Nevix"));
    saved.Load(std::exception_ptr());
    EXPECT_EQ(saved.Number(), 0);
    EXPECT_EQ(saved.Source(), QString());
    EXPECT_EQ(saved.Description(), QString());
}

TEST(ErrorPersist, ForeignExceptionsAreKeptWithTheirText)
{
    ErrorPersist saved;
    try {
        throw std::runtime_error("disk full");
    } catch (...) {
        saved.Load();
    }
    EXPECT_EQ(saved.Description(), QStringLiteral("disk full"));
    EXPECT_NE(saved.Number(), 0);
}

TEST(ErrorNumbers, OffsetsFromTheObjectErrorBase)
{
    EXPECT_EQ(static_cast<uint32_t>(ErrorNumbers::ObjectErrorBase), 0x80040000u);
    EXPECT_EQ(static_cast<uint32_t>(ErrorNumbers::Concurrency), 0x80040064u);
    EXPECT_EQ(static_cast<uint32_t>(ErrorNumbers::LockNotAcquired), 0x80040078u);
    EXPECT_EQ(static_cast<uint32_t>(ErrorNumbers::SettingsLayer), 0x80040201u);
}

} // namespace
