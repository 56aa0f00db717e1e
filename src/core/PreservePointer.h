#pragma once

#include <QObject>

#include <cstdint>

// Saves the application-wide mouse pointer, switches it, and puts the
// saved one back when released.
class PreservePointer {
public:
    PreservePointer() = default;
    ~PreservePointer();
    PreservePointer(const PreservePointer&) = delete;
    PreservePointer& operator=(const PreservePointer&) = delete;

    void SetNormalCursor();
    void Reset();
    // The pointer changes application-wide; the form is only the occasion.
    void SetHourGlass(const QObject* form);
    void SetGlobalHourGlass();

private:
    void SaveAndSet(int16_t pointer);

    int16_t m_saved = 0;
};
