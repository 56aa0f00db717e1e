#pragma once

#include <cstdint>

class DebitStatements;
class LogLines;
class NevixRequest;
class TransmissionResults;

// The statement step of a transmission run: fetches the debit statements
// waiting, stores those not yet stored and only then acknowledges the
// delivery. A statement that cannot be read is logged and left out; the
// others are stored and the delivery is not acknowledged, so the service
// offers it again. Failures show in the log and the run's fatal text.
void RequestDebitStatementsFromNevixServer(LogLines& log, TransmissionResults& results);

// The "DEBRequest" exchange: one new statement per readable Deb element of
// an acknowledged answer; each unreadable one is logged with the fatal text
// and counted in Refused. False when the service did not acknowledge.
bool GetDebitStatementsFromNevix(DebitStatements& Statements, LogLines& log, TransmissionResults& results,
                                 int32_t* Refused = nullptr);

NevixRequest CreateDEBRequest(LogLines& log);

// The "DEBComplete" exchange.
bool SendDEBComplete(int32_t ControlReference, LogLines& log, TransmissionResults& results);
