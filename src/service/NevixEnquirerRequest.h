#pragma once

class LogLines;
class NevixRequest;

// Makes the local enquirers and their reasons match the service's list: a
// log run of its own under the communications lock, all changes in one
// transaction. True when the answer was acknowledged, listed at least one
// enquirer and was applied.
bool RunNevixEnquirerRequest(LogLines& log);
NevixRequest CreateEnquirerRequest(LogLines& log);

// Makes maintenance's download (the schema upgrade's step) run this one;
// start-up calls it once.
void InstallEnquirerRequestRunner();
