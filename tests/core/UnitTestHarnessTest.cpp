#include "core/UnitTest.h"
#include "core/UnitTests.h"
#include "platform/NevixError.h"
#include "support/Printers.h"

#include <QStringList>

#include <gtest/gtest.h>

namespace {

QString Q(const char* text)
{
    return QString::fromUtf8(text);
}

TEST(UnitTestHarness, EachAssertionDecidesTheOutcome)
{
    UnitTest test;
    const auto outcome = [&] { return test.HasPassed() ? Q("Pass") : test.ResultText(); };
    test.AssertEqualLong(3, 4);
    EXPECT_EQ(outcome(), Q("Expected: 4 got: 3"));
    test.AssertEqualLong(4, 4);
    EXPECT_EQ(outcome(), Q("Pass"));
    test.AssertEqualBoolean(false, true);
    EXPECT_EQ(outcome(), Q("Expected: True got: False"));
    test.AssertEqualString(Q("abc"), Q("ABC"), 1);
    EXPECT_EQ(outcome(), Q("Pass"));
    test.AssertEqualString(Q("abc"), Q("ABC"), 0);
    EXPECT_EQ(outcome(), Q("Expected: 'ABC' got: 'abc'"));
    test.AssertNotEqualString(Q("abc"), Q("ABC"), 0);
    EXPECT_EQ(outcome(), Q("Pass"));
    test.AssertNotEqualString(Q("abc"), Q("ABC"), 1);
    EXPECT_EQ(outcome(), Q("Expected: 'ABC' got: 'abc'"));
}

TEST(UnitTestHarness, SubTestsAreNumberedAfterTheMethod)
{
    UnitTests tests;
    const auto parent = tests.AddATest(Q("Validation"), Q("ValidateEnquirerId"));
    const auto first = parent->AddSubTest(Q("Two letters and three digits"));
    const auto second = parent->AddSubTest(Q("Too short"));
    EXPECT_EQ(first->Module(), Q("Validation"));
    EXPECT_EQ(first->Method(), Q("ValidateEnquirerId-1"));
    EXPECT_EQ(second->Method(), Q("ValidateEnquirerId-2"));
    EXPECT_EQ(second->Description(), Q("Too short"));
    EXPECT_EQ(parent->SubTests().Item(2), second);
    EXPECT_EQ(parent->SubTests().Item(Q("validateenquirerid-1")), first);
    EXPECT_FALSE(first->IsDirty());
}

TEST(UnitTestHarness, AFailedSubTestAtAnyDepthFailsItsParents)
{
    UnitTest parent(Q("Validation"), Q("ValidateVRM"));
    parent.AddSubTest(Q("a"))->AssertEqualLong(1, 1);
    const auto middle = parent.AddSubTest(Q("b"));
    parent.AddSubTest(Q("c"))->AssertEqualBoolean(true, true);
    EXPECT_TRUE(parent.HasPassed());

    middle->AddSubTest(Q("deep"))->AssertEqualString(Q("x"), Q("y"), 0);
    EXPECT_FALSE(middle->HasPassed());
    EXPECT_EQ(middle->ResultText(), Q("1 out of 1 tests failed."));
    EXPECT_FALSE(parent.HasPassed());
    EXPECT_EQ(parent.ResultText(), Q("1 out of 3 tests failed."));

    // Once failed through a sub-test, the parent stays failed.
    middle->SubTests().Item(1)->AssertEqualString(Q("y"), Q("y"), 0);
    EXPECT_TRUE(middle->SubTests().Item(1)->HasPassed());
    EXPECT_FALSE(parent.HasPassed());
}

TEST(UnitTestHarness, DirtyOnlyWhenAValueChanges)
{
    UnitTest test(Q("Validation"), Q("ValidateVRM"), Q("Plates"));
    test.SetModule(Q("VALIDATION"));
    test.SetMethod(Q("validatevrm"));
    EXPECT_FALSE(test.IsDirty());
    test.SetHasPassed(true);
    EXPECT_FALSE(test.IsDirty());

    test.SetDescription(Q("Other"));
    test.SetHasPassed(false);
    EXPECT_TRUE(test.IsDirty());
    test.CancelEdit();
    EXPECT_FALSE(test.IsDirty());
    EXPECT_EQ(test.Module() + test.Method() + test.Description(), Q("ValidationValidateVRMPlates"));
    EXPECT_TRUE(test.HasPassed());
}

TEST(UnitTestHarness, CollectionKeysAndErrors)
{
    UnitTests tests;
    const auto a = tests.AddATest(Q("Validation"), Q("ValidateEnquiryCode"));
    tests.AddATest(Q("Validation"), Q("ValidateNevixPassword"));
    EXPECT_EQ(tests.Count(), 2);
    EXPECT_THROW(tests.AddATest(Q("Other"), Q("validateenquirycode")), NevixError);
    EXPECT_EQ(tests.Count(), 2);
    EXPECT_THROW(tests.Item(3), NevixError);
    EXPECT_THROW(tests.Item(0), NevixError);
    EXPECT_THROW(tests.Item(Q("missing")), NevixError);
    tests.Remove(Q("missing"));
    tests.Remove(7);
    EXPECT_EQ(tests.Count(), 2);
    a->SetDescription(Q("changed"));
    EXPECT_TRUE(tests.IsDirty());

    tests.Remove(Q("ValidateEnquiryCode"));
    EXPECT_FALSE(tests.IsDirty());
    // The key is free again.
    tests.AddATest(Q("Validation"), Q("ValidateEnquiryCode"));
    QStringList order;
    for (const auto& t : tests)
        order << t->Method();
    EXPECT_EQ(order, (QStringList{Q("ValidateNevixPassword"), Q("ValidateEnquiryCode")}));
    tests.Clear();
    EXPECT_EQ(tests.Count(), 0);
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
    const auto id = tests.AddATest(Q("Validation"), Q("ValidateEnquirerId"));
    id->SetDescription(Q("Enquirer ids"));
    id->AddSubTest(Q("AB123"))->AssertEqualBoolean(true, true);
    id->AddSubTest(Q("A1234"))->AssertEqualBoolean(true, false);
    const auto code = tests.AddATest(Q("Validation"), Q("ValidateEnquiryCode"));
    code->SetDescription(Q("Enquiry codes"));

    QStringList lines;
    gLines = &lines;
    const QtMessageHandler previous = qInstallMessageHandler(Capture);
    tests.PrintTestResultsToConsole();
    qInstallMessageHandler(previous);
    gLines = nullptr;

    EXPECT_EQ(lines, (QStringList{
                         Q("Validation.ValidateEnquirerId"),
                         Q("Enquirer ids (Fail: 1 out of 2 tests failed.)"),
                         Q("\tAB123 (Pass)"),
                         Q("\tA1234 (Fail: Expected: False got: True)"),
                         Q("Validation.ValidateEnquiryCode"),
                         Q("Enquiry codes (Pass)"),
                     }));
}

} // namespace
