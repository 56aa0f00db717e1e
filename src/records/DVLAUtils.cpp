#include "records/DVLAUtils.h"

#include "core/ApplicationSettings.h"

#include <array>
#include <utility>

namespace {
using CodePair = std::pair<const char*, const char*>;

// In the order they are tested.
constexpr std::array<CodePair, 14> ServiceCodes{{
    {"E2200", "A"}, {"E2201", "B"}, {"E2202", "C"}, {"E2203", "D"}, {"E2204", "E"},
    {"E2205", "F"}, {"E2206", "G"}, {"NS500", "G"}, {"E2207", "H"}, {"NS504", "H"},
    {"E2208", "J"}, {"NS505", "J"}, {"E2209", "J"}, {"NS400", "J"},
}};

constexpr std::array<CodePair, 11> CodeTexts{{
    {"1", "Hardcopy response to follow"},
    {"A", "No trace of VRM at DVLA"},
    {"B", "Scrapped"},
    {"C", "Exported"},
    {"D", "Void record"},
    {"E", "MOD vehicle"},
    {"F", "BFG vehicle"},
    {"G", "Invalid VRM"},
    {"H", "Invalid date of event"},
    {"J", "Invalid date of enquiry"},
    {"K", "Hardcopy response to follow"},
}};

const char* Lookup(const auto& table, const QString& code)
{
    for (const auto& [from, to] : table) {
        if (code == QLatin1String(from))
            return to;
    }
    return nullptr;
}
} // namespace

QString ServiceErrorToDVLACode(const QString& code)
{
    if (code == QLatin1String("NS601")) {
        const QString hardCopy = Settings().HardCopyResponseCode();
        return hardCopy.contains(QLatin1String("NONE"), Qt::CaseInsensitive) ? QString() : hardCopy;
    }
    const char* result = Lookup(ServiceCodes, code);
    return QString::fromLatin1(result ? result : "J");
}

QString DVLACodeText(const QString& code)
{
    const char* text = Lookup(CodeTexts, code);
    return text ? QString::fromLatin1(text) : code;
}
