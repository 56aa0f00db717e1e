// 100 exchanges with a loopback server through the send procedure: the
// wait ends as each answer arrives, so they cost milliseconds rather than
// a 100 ms wait step each.
#include "core/ApplicationSettings.h"
#include "core/INIFile.h"
#include "platform/AppContext.h"
#include "platform/Clock.h"
#include "platform/ConsoleUserInteraction.h"
#include "service/BuildNevixRequestHeader.h"
#include "service/NevixRequest.h"
#include "service/NevixResponse.h"
#include "service/SendNevixRequest.h"
#include "service/frmHTTPComms.h"

#include "SimpleHttpServer.h"

#include "NeedGui.h"
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

constexpr int Exchanges = 100;

const QByteArray Answer =
    "<ns2:NSResponse xmlns:ns2=\"x\"><ResponseHeader><ResponseType>ACK</ResponseType><MessageType>CommsTest"
    "</MessageType><MessageVersion>1.0</MessageVersion><MessageTimeStamp>2024-03-15T10:30:05Z</MessageTimeStamp>"
    "</ResponseHeader></ns2:NSResponse>";

void BM_LoopbackExchanges(benchmark::State& state)
{
    // One application object for every benchmark of the program.
    NeedGui();

    QTemporaryDir folder;
    ScopedAppContext scope(std::make_shared<AppContext>(std::make_shared<SystemClock>(),
                                                        std::make_shared<ConsoleUserInteraction>(), folder.path(),
                                                        QStringLiteral("BENCH")));
    SimpleHttpServer server([](const SimpleHttpServer::Request&) { return SimpleHttpServer::Answer{200, Answer}; });
    if (!server.Listen()) {
        state.SkipWithError("cannot listen on loopback");
        return;
    }
    INIFile().SetIniString(QStringLiteral("NevixServer"), QStringLiteral("NevixHost"), server.Url(),
                           folder.filePath(QStringLiteral("Nevix.INI")));
    Settings().Load();
    NevixRequest request;
    request.AddHeader(CreateNevixRequestHeader(QStringLiteral("CommsTest"), QStringLiteral("user"),
                                               QStringLiteral("pw"), false, QStringLiteral("1.0")));
    for (auto _ : state) {
        for (int i = 0; i < Exchanges; ++i)
            benchmark::DoNotOptimize(SendNevixRequest(request, false));
    }
    UnloadHTTPCommsForm();
    ReleaseSettings();
}
BENCHMARK(BM_LoopbackExchanges)->Unit(benchmark::kMillisecond);

} // namespace
