#pragma once

#include <QString>

#include <cstdint>

// Text and key helpers of the screens that need no window, so that field
// rules can classify characters with the same filters the screens use.

// list becomes item when empty, else list + separator + item.
void AppendWithSeparator(QString& list, const QString& item, const QString& separator);
// Trims blanks, then drops every character below code 32.
QString RemoveControlChars(const QString& text);

// Compare modes of the key filters.
namespace CompareMode {
constexpr int32_t Binary = 0;
constexpr int32_t Text = 1;
} // namespace CompareMode

// Each returns the key code when it may be typed, else 0. Codes of 31 and
// below (backspace and other control keys) always pass.
int16_t FilterAlphaNumericKey(int16_t keyCode, const QString& extra);
int16_t FilterNumericKey(int16_t keyCode, bool allowMinus);
int16_t FilterAlphaKey(int16_t keyCode, int32_t compareMode);
int16_t FilterKeyToChars(int16_t keyCode, const QString& allowed, int32_t compareMode);
