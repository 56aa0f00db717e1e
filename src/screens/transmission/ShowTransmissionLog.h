#pragma once

#include <memory>

class LogLines;
class QWidget;

// The log window over the owner, modal, for the given run (the most
// recent one when none); an error is shown as a warning.
void ShowTransmissionLog(QWidget* owner, std::shared_ptr<LogLines> log);
