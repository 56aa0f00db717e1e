#include "core/UnitTests.h"

#include "core/UnitTest.h"
#include "platform/NevixError.h"

#include <QDebug>

namespace {
// The errors a keyed collection gives its caller.
constexpr int32_t KeyAlreadyFiled = 457;

QString KeyOf(const UnitTest& test)
{
    return test.Method().toLower();
}
} // namespace

bool UnitTests::IsDirty() const
{
    for (const auto& test : m_tests) {
        if (test->IsDirty())
            return true;
    }
    return false;
}

std::shared_ptr<UnitTest> UnitTests::Item(int32_t Index) const
{
    if (Index < 1 || Index > Count())
        throw NevixError::InvalidArgument(QStringLiteral("UnitTests.Item"));
    return m_tests[Index - 1];
}

std::shared_ptr<UnitTest> UnitTests::Item(const QString& Key) const
{
    const qsizetype at = IndexOfKey(Key);
    if (at < 0)
        throw NevixError::InvalidArgument(QStringLiteral("UnitTests.Item"));
    return m_tests[at];
}

void UnitTests::Clear()
{
    m_tests.clear();
    m_keys.clear();
}

void UnitTests::Remove(int32_t Index)
{
    if (Index < 1 || Index > Count())
        return;
    m_tests.removeAt(Index - 1);
    m_keys.removeAt(Index - 1);
}

void UnitTests::Remove(const QString& Key)
{
    const qsizetype at = IndexOfKey(Key);
    if (at >= 0)
        Remove(int32_t(at + 1));
}

void UnitTests::Add(const std::shared_ptr<UnitTest>& oUnitTest)
{
    const QString key = KeyOf(*oUnitTest);
    if (IndexOfKey(key) >= 0)
        throw NevixError(KeyAlreadyFiled,
                         QStringLiteral("This key is already associated with an element of this collection"),
                         QStringLiteral("UnitTests.Add"));
    m_tests.append(oUnitTest);
    m_keys.append(key);
}

std::shared_ptr<UnitTest> UnitTests::AddATest(const QString& sModule, const QString& sMethod)
{
    auto test = std::make_shared<UnitTest>(sModule, sMethod);
    Add(test);
    return test;
}

qsizetype UnitTests::IndexOfKey(const QString& key) const
{
    return m_keys.indexOf(key.toLower());
}

void UnitTests::PrintTestResultsToConsole() const
{
    Print(m_tests, QString());
}

void UnitTests::Print(const List& tests, const QString& indent) const
{
    for (const auto& test : tests) {
        if (indent.isEmpty())
            qDebug().noquote() << test->Module() + u'.' + test->Method();
        if (test->HasPassed())
            qDebug().noquote() << indent + test->Description() + QStringLiteral(" (Pass)");
        else
            qDebug().noquote() << indent + test->Description() + QStringLiteral(" (Fail: ") +
                                      test->ResultText() + u')';
        Print(List(test->SubTests().begin(), test->SubTests().end()), indent + u'\t');
    }
}
