#pragma once

#include <QString>

#include <cstdint>

class LogLines;
class NevixRequest;

// Tells the service the highest control references of the stored responses
// and debit statements, so that its numbering goes on from there. Writes
// into the caller's open run; true only when both were acknowledged (a
// first refusal stops it).
bool RunNevixSeedControlRefs(LogLines& log);
// One seeding message; only "ACK" counts as accepted.
bool SendSeedControlRef(LogLines& log, const QString& MessageType, int32_t ControlReference);
NevixRequest CreateSeedControlRefRequest(const QString& MessageType, int32_t ControlReference, LogLines& log);
