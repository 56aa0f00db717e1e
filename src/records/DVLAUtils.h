#pragma once

#include <QString>

// The DVLA's outcome of an enquiry as a one-character result code ("A" to
// "H", "J", "K", or "1" for a result that follows on paper).

// The result code for an error code the service attached to a response's
// message; codes are matched exactly. Anything unknown is "J". "NS601"
// (paper response to follow) gives the HardCopyResponseCode setting, or
// nothing when that setting holds "NONE".
QString ServiceErrorToDVLACode(const QString& code);

// The notice text of a result code; an unknown code is returned as it is.
QString DVLACodeText(const QString& code);
