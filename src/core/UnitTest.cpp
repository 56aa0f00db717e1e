#include "core/UnitTest.h"

#include "core/UnitTests.h"

namespace {
QString BooleanText(bool value)
{
    return value ? QStringLiteral("True") : QStringLiteral("False");
}

QString Quoted(const QString& expected, const QString& result)
{
    return QStringLiteral("Expected: '") + expected + QStringLiteral("' got: '") + result + u'\'';
}
} // namespace

UnitTest::UnitTest() : m_subTests(std::make_unique<UnitTests>()) {}

UnitTest::UnitTest(const QString& module, const QString& method, const QString& description)
    : UnitTest()
{
    m_current.module = module;
    m_current.method = method;
    m_current.description = description;
    m_saved = m_current;
}

UnitTest::~UnitTest() = default;

std::shared_ptr<UnitTest> UnitTest::AddSubTest(const QString& sTestDescription)
{
    auto test = std::make_shared<UnitTest>(
        Module(), Method() + u'-' + QString::number(m_subTests->Count() + 1), sTestDescription);
    m_subTests->Add(test);
    return test;
}

void UnitTest::SetText(QString Record::*field, const QString& value)
{
    if (value.compare(m_saved.*field, Qt::CaseInsensitive) != 0)
        m_current.dirty = true;
    m_current.*field = value;
}

void UnitTest::SetModule(const QString& value)
{
    SetText(&Record::module, value);
}

void UnitTest::SetMethod(const QString& value)
{
    SetText(&Record::method, value);
}

void UnitTest::SetDescription(const QString& value)
{
    SetText(&Record::description, value);
}

void UnitTest::SetResultText(const QString& value)
{
    SetText(&Record::resultText, value);
}

QString UnitTest::ResultText() const
{
    if (m_subTests->Count() == 0 || HasPassed())
        return m_current.resultText;
    int failed = 0;
    for (const auto& test : *m_subTests) {
        if (!test->HasPassed())
            ++failed;
    }
    return QStringLiteral("%1 out of %2 tests failed.").arg(failed).arg(m_subTests->Count());
}

bool UnitTest::HasPassed() const
{
    if (m_current.hasPassed) {
        for (const auto& test : *m_subTests) {
            if (!test->HasPassed())
                m_current.hasPassed = false;
        }
    }
    return m_current.hasPassed;
}

void UnitTest::SetHasPassed(bool value)
{
    if (value != m_saved.hasPassed)
        m_current.dirty = true;
    m_current.hasPassed = value;
}

void UnitTest::Decide(bool passed, const QString& failureText)
{
    if (!passed)
        SetResultText(failureText);
    SetHasPassed(passed);
}

void UnitTest::AssertNotEqualString(const QString& ResultString, const QString& ExpectedString,
                                    int16_t CompareMethod)
{
    const Qt::CaseSensitivity cs = CompareMethod == 0 ? Qt::CaseSensitive : Qt::CaseInsensitive;
    Decide(ResultString.compare(ExpectedString, cs) != 0, Quoted(ExpectedString, ResultString));
}

void UnitTest::AssertEqualString(const QString& ResultString, const QString& ExpectedString,
                                 int16_t CompareMethod)
{
    const Qt::CaseSensitivity cs = CompareMethod == 0 ? Qt::CaseSensitive : Qt::CaseInsensitive;
    Decide(ResultString.compare(ExpectedString, cs) == 0, Quoted(ExpectedString, ResultString));
}

void UnitTest::AssertEqualBoolean(bool ResultBoolean, bool ExpectedBoolean)
{
    Decide(ResultBoolean == ExpectedBoolean, QStringLiteral("Expected: ") +
                                                 BooleanText(ExpectedBoolean) +
                                                 QStringLiteral(" got: ") + BooleanText(ResultBoolean));
}

void UnitTest::AssertEqualLong(int32_t ResultLong, int32_t ExpectedLong)
{
    Decide(ResultLong == ExpectedLong, QStringLiteral("Expected: ") + QString::number(ExpectedLong) +
                                           QStringLiteral(" got: ") + QString::number(ResultLong));
}
