#pragma once

#include <QString>

#include <optional>

class QCommandLineParser;
class QCoreApplication;

// The exit code of a tool whose command line is refused: nothing was made.
inline constexpr int UsageExitCode = 2;

// Reads a tool's command line (the parser's --help option is added here).
// --help prints the usage on standard output; an unknown option or a
// missing value is refused on standard error. Either way the tool must end
// at once with the code returned; no value when it may go on.
std::optional<int> ReadToolCommandLine(QCommandLineParser& parser, const QCoreApplication& app);

// Refuses the command line for the reason given, on standard error, with a
// pointer to --help; returns UsageExitCode.
int RefuseCommandLine(const QString& reason);
