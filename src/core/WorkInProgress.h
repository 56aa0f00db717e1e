#pragma once

#include <QString>

#include <cstdint>
#include <optional>

// Drives the one please-wait window while long database work runs; nested
// Show calls are counted and only the last Hide removes the window.
class WorkInProgress {
public:
    WorkInProgress() = default;
    // Removes the window whatever the count.
    ~WorkInProgress();
    WorkInProgress(const WorkInProgress&) = delete;
    WorkInProgress& operator=(const WorkInProgress&) = delete;

    void UpdateMessage(const QString& message);
    void Show(const QString& message, const std::optional<QString>& windowCaption = std::nullopt);
    void Hide();

    int16_t NestingCount() const { return m_count; }

private:
    int16_t m_count = 0;
};
