#include "core/UnitTest.h"
#include "core/UnitTests.h"
#include "platform/NevixError.h"
#include "support/Printers.h"

#include <QStringList>

#include <gtest/gtest.h>

namespace {

TEST(UnitTestHarness, EachAssertionDecidesTheOutcome)
{
    UnitTest test;
    const auto outcome = [&] { return test.HasPassed() ? QString("Pass") : test.ResultText(); };
    test.AssertEqualLong(3, 4);
    EXPECT_EQ(outcome(), "Expected: 4 got: 3");
    test.AssertEqualLong(4, 4);
    EXPECT_EQ(outcome(), "Pass");
    test.AssertEqualBoolean(false, true);
    EXPECT_EQ(outcome(), "Expected: True got: False");
    test.AssertEqualString("abc", "ABC", 1);
    EXPECT_EQ(outcome(), "Pass");
    test.AssertEqualString("abc", "ABC", 0);
    EXPECT_EQ(outcome(), "Expected: 'ABC' got: 'abc'");
    test.AssertNotEqualString("abc", "ABC", 0);
    EXPECT_EQ(outcome(), "Pass");
    test.AssertNotEqualString("abc", "ABC", 1);
    EXPECT_EQ(outcome(), "Expected: 'ABC' got: 'abc'");
}

TEST(UnitTestHarness, AFailedSubTestAtAnyDepthFailsItsParents)
{
    UnitTest parent("Validation", "ValidateVRM");
    parent.AddSubTest("a")->AssertEqualLong(1, 1);
    const auto middle = parent.AddSubTest("b");
    parent.AddSubTest("c")->AssertEqualBoolean(true, true);
    EXPECT_TRUE(parent.HasPassed());

    middle->AddSubTest("deep")->AssertEqualString("x", "y", 0);
    EXPECT_FALSE(middle->HasPassed());
    EXPECT_EQ(middle->ResultText(), "1 out of 1 tests failed.");
    EXPECT_FALSE(parent.HasPassed());
    EXPECT_EQ(parent.ResultText(), "1 out of 3 tests failed.");

    // Once failed through a sub-test, the parent stays failed.
    middle->SubTests().Item(1)->AssertEqualString("y", "y", 0);
    EXPECT_TRUE(middle->SubTests().Item(1)->HasPassed());
    EXPECT_FALSE(parent.HasPassed());
}

TEST(UnitTestHarness, DirtyOnlyWhenAValueChanges)
{
    UnitTest test("Validation", "ValidateVRM", "Plates");
    test.SetModule("VALIDATION");
    test.SetMethod("validatevrm");
    EXPECT_FALSE(test.IsDirty());
    test.SetHasPassed(true);
    EXPECT_FALSE(test.IsDirty());

    test.SetDescription("Other");
    test.SetHasPassed(false);
    EXPECT_TRUE(test.IsDirty());
    test.CancelEdit();
    EXPECT_FALSE(test.IsDirty());
    EXPECT_EQ(test.Module() + test.Method() + test.Description(), "ValidationValidateVRMPlates");
    EXPECT_TRUE(test.HasPassed());
}

TEST(UnitTestHarness, CollectionKeysAndErrors)
{
    UnitTests tests;
    const auto a = tests.AddATest("Validation", "ValidateEnquiryCode");
    const auto parent = tests.AddATest("Validation", "ValidateEnquirerId");
    EXPECT_THROW(tests.AddATest("Other", "validateenquirycode"), NevixError);
    EXPECT_THROW(tests.Item(3), NevixError);
    EXPECT_THROW(tests.Item(0), NevixError);
    EXPECT_THROW(tests.Item("missing"), NevixError);
    tests.Remove("missing");
    tests.Remove(7);
    EXPECT_EQ(tests.Count(), 2);

    // Sub-tests are numbered after the method.
    const auto first = parent->AddSubTest("Two letters and three digits");
    const auto second = parent->AddSubTest("Too short");
    EXPECT_EQ(first->Module() + '.' + first->Method(), "Validation.ValidateEnquirerId-1");
    EXPECT_EQ(second->Method() + ' ' + second->Description(), "ValidateEnquirerId-2 Too short");
    EXPECT_EQ(parent->SubTests().Item(2), second);
    EXPECT_EQ(parent->SubTests().Item("validateenquirerid-1"), first);
    EXPECT_FALSE(tests.IsDirty());

    a->SetDescription("changed");
    EXPECT_TRUE(tests.IsDirty());
    tests.Remove("ValidateEnquiryCode");
    EXPECT_FALSE(tests.IsDirty());
    tests.AddATest("Validation", "ValidateEnquiryCode"); // the key is free again
    QStringList order;
    for (const auto& t : tests)
        order << t->Method();
    EXPECT_EQ(order, (QStringList{"ValidateEnquirerId", "ValidateEnquiryCode"}));
}

QStringList* gLines = nullptr;

void Capture(QtMsgType, const QMessageLogContext&, const QString& message)
{
    if (gLines)
        gLines->append(message);
}

TEST(UnitTestHarness, PrintsHeadingsAndIndentedResults)
{
    UnitTests tests;
    const auto id = tests.AddATest("Validation", "ValidateEnquirerId");
    id->SetDescription("Enquirer ids");
    id->AddSubTest("AB123")->AssertEqualBoolean(true, true);
    id->AddSubTest("A1234")->AssertEqualBoolean(true, false);
    const auto code = tests.AddATest("Validation", "ValidateEnquiryCode");
    code->SetDescription("Enquiry codes");

    QStringList lines;
    gLines = &lines;
    const QtMessageHandler previous = qInstallMessageHandler(Capture);
    tests.PrintTestResultsToConsole();
    qInstallMessageHandler(previous);
    gLines = nullptr;

    EXPECT_EQ(lines, (QStringList{
                         "Validation.ValidateEnquirerId",
                         "Enquirer ids (Fail: 1 out of 2 tests failed.)",
                         "\tAB123 (Pass)",
                         "\tA1234 (Fail: Expected: False got: True)",
                         "Validation.ValidateEnquiryCode",
                         "Enquiry codes (Pass)",
                     }));
}

} // namespace
