#pragma once

#include <cstdint>

// Running modes.
namespace RunningMode {
constexpr int16_t None = 0;
constexpr int16_t Interactive = 1;
constexpr int16_t Automatic = 2;
constexpr int16_t Setup = 3;
} // namespace RunningMode

// Install modes.
namespace InstallMode {
constexpr int16_t None = 0;
constexpr int16_t Standalone = 1;
constexpr int16_t Server = 2;
constexpr int16_t Client = 3;
} // namespace InstallMode

// The program's settings. Only the run-time running mode so far; the
// settings file arrives with its own class.
class ApplicationSettings {
public:
    int16_t ProgramRunningMode() const { return m_programRunningMode; }
    void SetProgramRunningMode(int16_t mode) { m_programRunningMode = mode; }

private:
    int16_t m_programRunningMode = RunningMode::None;
};

// The program-wide settings object, created on first use.
ApplicationSettings& Settings();
// Drops the program-wide settings object; the next use creates a new one.
void ReleaseSettings();
