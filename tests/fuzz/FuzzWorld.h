#pragma once

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>

#include <cstddef>
#include <cstdint>
#include <memory>

class ScopedAppContext;

// What every fuzz target runs in, made once per run: a program folder of
// its own, a clock standing at 15 March 2024 10:30, a console user and
// London time, so that the change to summer time is within reach.
class FuzzWorld {
public:
    static FuzzWorld& Get();

    QString PathOf(const QString& name) const { return m_dir.filePath(name); }

private:
    FuzzWorld();

    QTemporaryDir m_dir;
    std::shared_ptr<ScopedAppContext> m_scope;
};

// Writes the program's settings file and loads it, unless it already
// holds these lines.
void UseSettingsFile(const QByteArray& ini);

// The input as text, read as UTF-8 (bad bytes become replacement
// characters, as files read by the program do).
QString TextOf(const uint8_t* data, size_t size);

// A property the target asserts beyond "no crash": when it does not hold,
// the run stops and libFuzzer keeps the input.
void Require(bool holds, const char* property);
