#pragma once

#include <QString>

#include <cstdint>
#include <exception>
#include <functional>

class CommsLock;
class LogLines;
class NevixResponse;

// The logged-on user's name; empty before a logon.
QString CurrentUserName();

// As the step's LogNevixErrors (ExchangeStep.h), under a chosen event code.
void LogNevixErrors(LogLines& log, const NevixResponse& response, int32_t EventCode);

// The closing section of an exchange that runs a log of its own: every
// step runs whatever the earlier ones did, and a step that fails is
// remembered; Finish then tells the user once that the clean-up failed.
class ClosingSection {
public:
    explicit ClosingSection(QString procedure) : m_procedure(std::move(procedure)) {}

    void Run(const std::function<void()>& step);
    // Saves the exchange's error (none clears the saved one) and logs its
    // description; true when there was one.
    bool LogError(LogLines& log, const std::exception_ptr& error);
    // Frees the lock when this run holds it; true when it is still held
    // afterwards, which is logged.
    bool ReleaseLock(CommsLock& lock, LogLines& log, const QString& UserName);
    // True when a step failed, after showing the critical box.
    bool Finish() const;

private:
    QString m_procedure;
    bool m_failed = false;
    QString m_description;
};
