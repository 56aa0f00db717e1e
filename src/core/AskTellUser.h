#pragma once

#include <QString>

#include <cstdint>
#include <functional>
#include <optional>

// The program's only way of showing a message box. In the Automatic running
// mode nothing blocks: the message goes to the unattended sink and a
// question takes the caller's default answer.

inline const QString ApplicationTitle = QStringLiteral("Nevix");

void TellUser(QString message, const QString& detail, uint32_t style,
              std::optional<int32_t> helpContext = std::nullopt);
void TellUserWarning(const QString& message, const QString& detail,
                     std::optional<int32_t> helpContext = std::nullopt);
void TellUserCritical(const QString& message, const QString& detail,
                      std::optional<int32_t> helpContext = std::nullopt);
int16_t AskUser(QString message, const QString& detail, uint32_t buttonSet, int16_t defaultAnswer,
                std::optional<int32_t> helpContext = std::nullopt);

// The style AskUser shows for a button set and default answer.
uint32_t AskUserStyle(uint32_t buttonSet, int16_t defaultAnswer);

// Help file offered through the boxes' Help button; none by default.
void SetMessageBoxHelpFile(const QString& helpFile);

// Where messages go while the program runs unattended. The text is the
// message with its detail; style tells information, warning or critical.
using UnattendedMessageSink = std::function<void(const QString& text, uint32_t style)>;
// An empty sink restores the default (standard error).
void SetUnattendedMessageSink(UnattendedMessageSink sink);
// Where unattended messages go now (never empty: standard error by default).
UnattendedMessageSink CurrentUnattendedSink();

// Sends unattended messages to sink for the life of a scope (a run's own
// log while it is open); the sink before it afterwards.
class ScopedUnattendedSink {
public:
    explicit ScopedUnattendedSink(UnattendedMessageSink sink);
    ~ScopedUnattendedSink();
    ScopedUnattendedSink(const ScopedUnattendedSink&) = delete;
    ScopedUnattendedSink& operator=(const ScopedUnattendedSink&) = delete;

private:
    UnattendedMessageSink m_previous;
};

// Whether someone is at the screen, for the life of a scope, whatever the
// running mode: the unattended console's own buttons are pressed by an
// operator, whose boxes are shown; its timer's work has no one to answer.
class ScopedAttendance {
public:
    explicit ScopedAttendance(bool attended);
    ~ScopedAttendance();
    ScopedAttendance(const ScopedAttendance&) = delete;
    ScopedAttendance& operator=(const ScopedAttendance&) = delete;

private:
    std::optional<bool> m_previous;
};
