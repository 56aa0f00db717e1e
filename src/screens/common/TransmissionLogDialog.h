#pragma once

#include <memory>

class LogLines;
class QDialog;
class QWidget;

// A run's log shown in a plain list until the transmission status window
// takes its place: every line, under its run header, with its time.

// The dialog, filled and sized, not yet shown; its list is "lstLog".
std::unique_ptr<QDialog> BuildTransmissionLogDialog(const LogLines& log, QWidget* owner);
// Shows it modally over the owner; an error is shown as a warning.
void ShowTransmissionLog(const LogLines& log, QWidget* owner);
