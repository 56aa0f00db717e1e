#pragma once

#include <QList>
#include <QString>

#include <memory>

class UnitTest;

// An ordered collection of tests, each filed under a key made from its
// method name; positions run from 1.
class UnitTests {
public:
    using List = QList<std::shared_ptr<UnitTest>>;

    // True when any test is dirty.
    bool IsDirty() const;
    // The tests in order.
    List::const_iterator begin() const { return m_tests.cbegin(); }
    List::const_iterator end() const { return m_tests.cend(); }
    // Raises an error when no test is at that position or under that key.
    std::shared_ptr<UnitTest> Item(int32_t Index) const;
    std::shared_ptr<UnitTest> Item(const QString& Key) const;
    int32_t Count() const { return int32_t(m_tests.size()); }
    void Clear();
    // A position or key that matches no test is ignored.
    void Remove(int32_t Index);
    void Remove(const QString& Key);
    // Raises an error when a test is already filed under the same key.
    void Add(const std::shared_ptr<UnitTest>& oUnitTest);
    std::shared_ptr<UnitTest> AddATest(const QString& sModule, const QString& sMethod);
    // A heading per top-level test, then "description (Pass)" or
    // "description (Fail: result)", sub-tests indented by a TAB, on the
    // debugging console.
    void PrintTestResultsToConsole() const;

private:
    qsizetype IndexOfKey(const QString& key) const;
    void Print(const List& tests, const QString& indent) const;

    List m_tests;
    QList<QString> m_keys;
};
