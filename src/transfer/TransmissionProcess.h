#pragma once

class LogLines;
class TransmissionResults;

// The one driver of a whole exchange with the Nevix service, under the
// communications lock: (import,) send, receive, export responses, fetch
// and export debit statements, stopping at the first fatal text. The
// caller owns the log run and the results; the lock is always given back
// before these return. A run started while another is under way in this
// process (the transfer's wait lets timers run) is refused: a warning and
// a fatal text, nothing else.
void DoImportTransmissionAndExport(LogLines& log, TransmissionResults& results);
void DoTransmissionAndExport(LogLines& log, TransmissionResults& results);

// The chain without the lock, for a caller that holds it.
void DoTransmissionAndExportInt(LogLines& log, TransmissionResults& results);
// Send enquiries, then receive responses.
void DoTransmissionProcess1(LogLines& log, TransmissionResults& results);
// The debit statement exchange.
void DoTransmissionProcess2(LogLines& log, TransmissionResults& results);
