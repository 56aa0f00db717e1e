#include "maintenance/EnquirerRequest.h"

#include <utility>

namespace {
EnquirerRequestRunner& Installed()
{
    static EnquirerRequestRunner runner;
    return runner;
}
} // namespace

bool RunNevixEnquirerRequest(LogLines& logger, const QString& UserName)
{
    const EnquirerRequestRunner& runner = Installed();
    return runner ? runner(logger, UserName) : false;
}

void SetEnquirerRequestRunner(EnquirerRequestRunner runner)
{
    Installed() = std::move(runner);
}
