#pragma once

#include <QString>

#include <cstdint>

class DelimitedString;
class LogLines;
class NevixRequest;
class TransmissionResults;
class VQ7Responses;

// The receive step of a transmission run: fetches the responses of every
// control reference the service offers, stores the new ones matched to
// their enquiries and acknowledges each reference once it is stored. A
// delivery that fails is logged, left unacknowledged, and the walk goes on.
void RequestVehicleResponsesFromNevixServer(LogLines& log, TransmissionResults& results);

// The "VQ7AvailableRequest" exchange: every ControlReference element of
// the answer, whole. False (no list) when the service did not acknowledge.
bool GetAvailableControlReferences(LogLines& log, TransmissionResults& results, DelimitedString& List);

// One control reference: fetch, drop duplicates, match, store, and
// acknowledge the reference asked for. False: not acknowledged.
bool ProcessVQ7ControlReference(LogLines& log, TransmissionResults& results, const QString& ControlReference);

// The "VQ7Request" exchange; the list is refilled from the answer.
bool GetVQ7sFromNevix(const QString& ControlReference, VQ7Responses& Responses, LogLines& log,
                      TransmissionResults& results, bool RemoveAsterisks);

NevixRequest CreateVQ7Request(LogLines& log);

// The "VQ7Complete" exchange.
bool AcknowledgeVQ7s(int32_t ControlReference, LogLines& log, TransmissionResults& results);
