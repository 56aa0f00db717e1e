#pragma once

class NevixRequest;
class NevixResponse;

// The one way any exchange sends anything: posts the request and returns
// the answer (or a "JX001" error when none came). The answer's test flag
// is kept in the settings.
NevixResponse SendNevixRequest(const NevixRequest& request, bool verbose);
