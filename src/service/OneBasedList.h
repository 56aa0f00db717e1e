#pragma once

#include "database/SqliteError.h"
#include "platform/NevixError.h"

#include <cstdint>
#include <vector>

// An ordered list of values reached by position from 1, for the parts of
// the service documents.
template <typename T>
class OneBasedList {
public:
    void Add(const T& value) { m_items.push_back(value); }
    // Error 9 "Subscript out of range" outside 1 to Count.
    const T& Item(int32_t position) const
    {
        if (position < 1 || position > Count())
            throw NevixError(ErrorNumbers::SubscriptOutOfRange, QStringLiteral("Subscript out of range"));
        return m_items[size_t(position - 1)];
    }
    int32_t Count() const { return int32_t(m_items.size()); }
    void Clear() { m_items.clear(); }
    const std::vector<T>& NewEnum() const { return m_items; }
    auto begin() const { return m_items.begin(); }
    auto end() const { return m_items.end(); }

private:
    std::vector<T> m_items;
};
