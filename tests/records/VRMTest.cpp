#include "records/VRM.h"
#include "support/Printers.h"

#include <gtest/gtest.h>

namespace {

struct VrmCase {
    const char* mark;
    const char* expected; // the cleaned mark, or the message
};

TEST(VRMRules, EachRuleWithItsMessage)
{
    const VrmCase cases[] = {
        {" ab 51 abc ", "AB51ABC"}, {"   ", ":VRM cannot be blank"},
        {"A", ":{001}VRM contains invalid grouping"},
        {"A1B2", ":{001}VRM contains invalid grouping"},
        {"A1234BCD", ":VRM must be 2 to 7 characters"},
        {"AB-123", ":VRM must only contain numbers and letters"},
        {"12345A", ":{002}There cannot be more than 4 digits in a VRM group"},
        {"ABCD1", ":{003}There cannot be more than 3 letters in a VRM group"},
        {"1234ABC", ":{004}4 digits followed by letters is not allowed in a VRM"},
        {"1A2", ":{005}Second group in VRM must be digits"},
        {"A123B", ":{006}First group and thrid group in a VRM cannot both be single letters"},
        {"AB01ABC", ":{007}Either first group or final group of a VRM must be a single letter"},
        {"AB51ABC", "AB51ABC"},
        {"AB51AIC", ":{007}Either first group or final group of a VRM must be a single letter"},
        {"123ABC", "123ABC"}, {"ABC123", "ABC123"}, {"1234AB", "1234AB"},
        {"QAZ12", ":{008}VRMs Cannot contain Q in any group"},
        {"Q123", ":{014}VRM letter group cannot contain I, Q or Z"},
        {"AB012", ":{009}Numeric VRM groups cannot start with a zero"},
        {"A012BCD", ":{009}Numeric VRM groups cannot start with a zero"},
        {"MAN123", ":Isle of Man VRMs cannot be checked"},
        {"BMN12", ":Isle of Man VRMs cannot be checked"}, {"AMN12", "AMN12"},
        {"A123BIC", ":{010}VRM letter groups cannot contain I, Q or Z"},
        {"U123ABC", ":{011}VRM prefix cannot be O or U"},
        {"ABC123Q", ":{012}VRM suffix cannot be Q"}, {"JSY123", ":Jersey VRMs cannot be checked"},
        {"QNI123", "QNI123"}, {"IA123", "IA123"},
        {"AI123", ":{013}VRM letter group cannot contain Q, I or Z"},
        {"123ABZ", ":{014}VRM letter group cannot contain I, Q or Z"},
        {"O123", ":{015}VRM single letter group cannot be O or U"}, {"A1", "A1"},
    };
    for (const VrmCase& c : cases)
        EXPECT_EQ(ValidateVRMText(QLatin1String(c.mark)), QLatin1String(c.expected)) << c.mark;
}

} // namespace
