#pragma once

#include <cstdint>

class DebitStatements;
class LogLines;
class NevixRequest;
class TransmissionResults;

// The statement step of a transmission run: fetches the debit statements
// waiting, stores those not yet stored and only then acknowledges the
// delivery. Failures show in the log and the run's fatal text.
void RequestDebitStatementsFromNevixServer(LogLines& log, TransmissionResults& results);

// The "DEBRequest" exchange: one new statement per Deb element of an
// acknowledged answer. False when the service did not acknowledge.
bool GetDebitStatementsFromNevix(DebitStatements& Statements, LogLines& log, TransmissionResults& results);

NevixRequest CreateDEBRequest(LogLines& log);

// The "DEBComplete" exchange.
bool SendDEBComplete(int32_t ControlReference, LogLines& log, TransmissionResults& results);
