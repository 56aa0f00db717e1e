#pragma once

#include <QString>

#include <cstdint>
#include <memory>

class UnitTests;

// One named test of the in-program harness: it records the outcome of its
// assertions and may hold sub-tests. It passes only when it and all its
// sub-tests, at every depth, pass.
class UnitTest {
public:
    UnitTest();
    UnitTest(const QString& module, const QString& method, const QString& description = {});
    ~UnitTest();
    UnitTest(const UnitTest&) = delete;
    UnitTest& operator=(const UnitTest&) = delete;

    // A sub-test of the same module, named Method-1, Method-2 and so on.
    std::shared_ptr<UnitTest> AddSubTest(const QString& sTestDescription);
    UnitTests& SubTests() { return *m_subTests; }
    const UnitTests& SubTests() const { return *m_subTests; }

    QString Module() const { return m_current.module; }
    void SetModule(const QString& value);
    QString Method() const { return m_current.method; }
    void SetMethod(const QString& value);
    QString Description() const { return m_current.description; }
    void SetDescription(const QString& value);
    // The stored text; for a failed test with sub-tests "N out of M tests
    // failed."
    QString ResultText() const;
    void SetResultText(const QString& value);
    // Reading it makes a failed sub-test fail this test for good.
    bool HasPassed() const;
    void SetHasPassed(bool value);
    bool IsDirty() const { return m_current.dirty; }
    // Puts the values as they were when the test was created back.
    void CancelEdit() { m_current = m_saved; }

    // CompareMethod: 0 exact, 1 ignoring case. Each assertion decides the
    // test's outcome until the next one.
    void AssertNotEqualString(const QString& ResultString, const QString& ExpectedString,
                              int16_t CompareMethod);
    void AssertEqualString(const QString& ResultString, const QString& ExpectedString,
                           int16_t CompareMethod);
    void AssertEqualBoolean(bool ResultBoolean, bool ExpectedBoolean);
    void AssertEqualLong(int32_t ResultLong, int32_t ExpectedLong);

private:
    struct Record {
        QString module;
        QString method;
        QString description;
        QString resultText;
        bool hasPassed = true;
        bool dirty = false;
    };

    void SetText(QString Record::*field, const QString& value);
    // The outcome of an assertion; a failure also sets the result text.
    void Decide(bool passed, const QString& failureText);

    mutable Record m_current;
    Record m_saved;
    std::unique_ptr<UnitTests> m_subTests;
};
