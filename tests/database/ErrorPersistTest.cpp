#include "database/ErrorPersist.h"
#include "platform/NevixError.h"
#include "support/Printers.h"

#include <gtest/gtest.h>

namespace {

TEST(ErrorPersist, KeepsTheHandledErrorAfterTheHandlerEnds)
{
    ErrorPersist saved;
    try {
        throw NevixError(ErrorNumbers::Concurrency, "Concurrency prevented update.", "VQ3.Apply");
    } catch (...) {
        saved.Load();
    }
    EXPECT_EQ(saved.Number(), static_cast<int32_t>(0x80040064u));
    EXPECT_EQ(saved.Source(), "VQ3.Apply");
    EXPECT_EQ(saved.Description(), "Concurrency prevented update.");
    EXPECT_EQ(saved.ToError().Number(), saved.Number());

    try {
        throw std::runtime_error("disk full");
    } catch (...) {
        saved.Load();
    }
    EXPECT_EQ(saved.Description(), "disk full") << "a foreign exception keeps its text";
    EXPECT_NE(saved.Number(), 0);
}

TEST(ErrorPersist, NoSourceReportsTheProgramAndNoErrorClears)
{
    ErrorPersist saved;
    saved.Load(NevixError(ErrorNumbers::ObjectErrorBase, "Unable to load"));
    EXPECT_EQ(saved.Source(), "Nevix");
    saved.Load(std::exception_ptr());
    EXPECT_EQ(saved.Number(), 0);
    EXPECT_EQ(saved.Source() + saved.Description(), QString());
}

} // namespace
