#pragma once

#include <QString>

#include <cstdint>
#include <exception>

class CDataBase;
class LogLines;
class NevixRequest;
class NevixResponse;
class TransmissionResults;

// Where a step appends its fatal text.
using FatalTextSetter = void (TransmissionResults::*)(const QString&);

// The answer's type; empty when it has no header.
QString ResponseTypeOf(const NevixResponse& response);

// A request of the message type under its version, logging to the run.
NevixRequest NewNevixRequest(const QString& MessageType, LogLines& log);

// Acknowledges a stored delivery with a request of the message type that
// names its control reference: logs what (Sending + reference) and, once
// acknowledged, Sent + reference + " sent successfully"; otherwise logs
// the errors and appends the service-errors text to the fatal text.
bool AcknowledgeDelivery(const QString& MessageType, int32_t ControlReference, const QString& Sending,
                         const QString& Sent, LogLines& log, TransmissionResults& results,
                         FatalTextSetter appendFatal);

// Each error of the answer as "code:description", event code 256.
void LogNevixErrors(LogLines& log, const NevixResponse& response);

// The closing section of an exchange step, run on success and on failure
// alike: keeps the error, rolls back every open transaction of db (when
// given), logs the error and appends it to the step's fatal text. Nothing
// escapes; a failure in here is shown to the user and noted as unreliable.
void CloseExchangeStep(const std::exception_ptr& error, const QString& procedure, LogLines& log,
                       TransmissionResults& results, FatalTextSetter appendFatal, CDataBase* db);
