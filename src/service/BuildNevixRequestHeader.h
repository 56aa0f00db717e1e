#pragma once

#include "service/NevixRequestHeader.h"

#include <QString>

// A header stamped now (in UTC) for the given message, account and mode;
// the client is the program's version banner, the control reference 0.
NevixRequestHeader CreateNevixRequestHeader(const QString& MessageType, const QString& UserName,
                                            const QString& Password, bool IsTest,
                                            const QString& MessageVersion);

// A header for the service account stored in the program's database and
// the run's test mode; the client text ends "(I)" in an interactive
// program and "(A)" in an unattended one.
NevixRequestHeader BuildNevixRequestHeader(const QString& MessageType, const QString& MessageVersion);
// The same under version "1.0".
NevixRequestHeader BuildNevixRequestHeaderV1(const QString& MessageType);
