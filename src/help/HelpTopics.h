#pragma once

#include <cstdint>

// The help topic every screen asks for, by F1 or its Help button. The help
// file maps these context ids to its pages; an id it does not map opens
// its default topic. The set-up wizard has no help.
namespace HelpTopics {
constexpr int32_t Menu = 1000;
constexpr int32_t Enquiries = 2000;
constexpr int32_t Responses = 3000;
constexpr int32_t DebitStatements = 4000;
// The send-and-receive screen, by the connection option chosen.
constexpr int32_t SendReceiveOption0 = 5010;
constexpr int32_t SendReceiveOption1 = 5020;
constexpr int32_t TransmissionLog = 6000;
// The parameters screen: 7010 for its first tab, 10 more for each next.
constexpr int32_t ParametersTab(int tab)
{
    return 7010 + 10 * tab;
}
constexpr int32_t AutoExecute = 9100;
constexpr int32_t UserEditor = 10000;
} // namespace HelpTopics
