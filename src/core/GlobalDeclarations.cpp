#include "core/GlobalDeclarations.h"

#include "core/ApplicationSettings.h"

QString ProgramRunningModeDesc()
{
    return RunningModeDesc(Settings().ProgramRunningMode());
}

QString RunningModeDesc(int16_t mode)
{
    switch (mode) {
    case RunningMode::Interactive: return QStringLiteral("Interactive");
    case RunningMode::Automatic: return QStringLiteral("Automatic");
    case RunningMode::Setup: return QStringLiteral("Setup");
    default: return {};
    }
}

NullableString ValidationActionDesc(int32_t code)
{
    switch (code) {
    case ValidationAction::Cancelled: return QStringLiteral("Cancelled");
    case ValidationAction::Continue: return QStringLiteral("Continue");
    case ValidationAction::SkipThisEnquiry: return QStringLiteral("Continue but skip this enquiry");
    case ValidationAction::ContinueAlways: return QStringLiteral("Continue always");
    case ValidationAction::SkipAllWithError:
        return QStringLiteral("Continue but skip all enquiries with error");
    default: return std::nullopt;
    }
}

QString ImportFileFormatDesc(int32_t code)
{
    switch (code) {
    case ImportFileFormat::Csv: return QStringLiteral("CSV");
    case ImportFileFormat::TabDelimited: return QStringLiteral("Tab delimited");
    case ImportFileFormat::FixedLength: return QStringLiteral("Fixed length fields");
    case ImportFileFormat::Bespoke: return QStringLiteral("Bespoke");
    default: return {};
    }
}
