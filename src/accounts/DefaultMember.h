#pragma once

#include <memory>

// The member to preselect among enquirers or reasons: a single member when
// it is enabled; otherwise the LAST member that is both default and
// enabled, else the first enabled one; none when nothing is enabled.
template <typename Collection>
auto DefaultMember(const Collection& members) -> typename Collection::Pointer
{
    using Pointer = typename Collection::Pointer;
    if (members.Count() == 1) {
        Pointer only = members.Item(1);
        return only->IsEnabled() ? only : Pointer();
    }
    Pointer result;
    Pointer firstEnabled;
    for (const Pointer& member : members) {
        if (!member->IsEnabled())
            continue;
        if (member->IsDefault())
            result = member;
        else if (!firstEnabled)
            firstEnabled = member;
    }
    return result ? result : firstEnabled;
}
