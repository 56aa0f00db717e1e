#pragma once

#include <QString>

class NevixRequest;
class NevixResponse;

// Why a request sent while another exchange waits for its answer is refused.
inline const QString NestedExchangeRefused =
    QStringLiteral("another exchange with the NEVIX service is under way");

// The one way any exchange sends anything: posts the request and returns
// the answer (or a "JX001" error when none came). The answer's test flag
// is kept in the settings. One exchange at a time within the program: a
// request sent during another's wait is refused with "JX001", and the
// exchange under way goes on untouched.
NevixResponse SendNevixRequest(const NevixRequest& request, bool verbose);

// True while a request waits for its answer.
bool IsExchangeUnderWay();
