#pragma once

class LogLines;
class NevixRequest;

// Proves that the service can be reached with the stored account. A
// "WARN" answer counts as reached.
// The whole test as a log run of its own on the caller's logger.
bool RunNevixCommsTest(LogLines& log);
// The exchange alone, into a run that is already open.
bool DoNevixCommsTest(LogLines& log);
// Never carries the test flag, whatever the run's mode.
NevixRequest CreateCommsTestRequest(LogLines& log);
