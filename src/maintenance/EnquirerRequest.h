#pragma once

#include <QString>

#include <functional>

class LogLines;

// The download of the enquirers and their enquiry reasons from the service,
// logged as a run of its own on the given logger (attached to the
// database) under UserName; true when the exchange worked.
using EnquirerRequestRunner = std::function<bool(LogLines& logger, const QString& UserName)>;

// Runs the installed download. Until the service exchanges install theirs
// there is none, and the download reports failure.
bool RunNevixEnquirerRequest(LogLines& logger, const QString& UserName);
// An empty runner puts back the one that reports failure.
void SetEnquirerRequestRunner(EnquirerRequestRunner runner);
