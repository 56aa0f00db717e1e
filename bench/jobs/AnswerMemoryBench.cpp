// The peak memory of one exchange with a large answer, each case run in a
// process of its own (nevix_answer_memory: the system reports a process's
// lifetime peak only) against a loopback server there that streams the
// answer. Counters in MiB; the time is the child's whole run.
//
// BM_AnswerPastTheCap: 600 MB sent for an answer capped at 256 MiB, its
// length not declared (read up to the cap, then refused; bound: the cap plus
// 128 MiB) and declared (refused at its headers); bare: a plain client of
// the network layer, unbounded, reading up to the cap.
// BM_DeliveryReceivedAndStored: a 200 MB delivery of responses, every field
// at its stored width, received, read and stored through the exchange step
// (bound: four times the answer); bare: the same answer read by a plain
// client, parsed with QXmlStreamReader and stored with prepared statements;
// setup: the child's program folder, database and matching enquiries alone.
#include "SideBySide.h"

#include <QProcess>
#include <QRegularExpression>

#include <chrono>
#include <initializer_list>

namespace {

constexpr double MiB = 1024.0 * 1024.0;

struct Peak {
    double mib = 0;
    double seconds = 0;
    bool ok = false;
};

Peak Measure(const char* which)
{
    const auto start = std::chrono::steady_clock::now();
    QProcess child;
    child.start(QStringLiteral(NEVIX_ANSWER_MEMORY), {QString::fromLatin1(which)});
    child.waitForFinished(-1);
    Peak peak;
    peak.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    const QString out = QString::fromUtf8(child.readAllStandardOutput());
    const QRegularExpressionMatch kb = QRegularExpression(QStringLiteral("peak_kb=(\\d+)")).match(out);
    peak.mib = kb.hasMatch() ? kb.captured(1).toDouble() / 1024.0 : 0;
    peak.ok = child.exitStatus() == QProcess::NormalExit && child.exitCode() == 0 && kb.hasMatch();
    return peak;
}

// Each case in turn; the first is the program's, whose run is timed.
QList<Peak> MeasureAll(benchmark::State& state, std::initializer_list<const char*> cases)
{
    QList<Peak> peaks;
    for (const char* which : cases)
        peaks.append(Measure(which));
    for (const Peak& peak : peaks)
        if (!peak.ok)
            state.SkipWithError("a case did not end as expected");
    state.SetIterationTime(peaks.first().seconds);
    return peaks;
}

void BM_AnswerPastTheCap(benchmark::State& state)
{
    EnsureApplication();
    for (auto _ : state) {
        const QList<Peak> peaks = MeasureAll(state, {"refuse", "refuse-length", "bare-refuse"});
        state.counters["peak_MiB"] = peaks[0].mib;
        state.counters["declared_MiB"] = peaks[1].mib;
        state.counters["bare_MiB"] = peaks[2].mib;
        state.counters["bound_MiB"] = 256 + 128;
    }
}
BENCHMARK(BM_AnswerPastTheCap)->Iterations(1)->UseManualTime()->Unit(benchmark::kSecond);

void BM_DeliveryReceivedAndStored(benchmark::State& state)
{
    EnsureApplication();
    const double answer = 200e6 / MiB;
    for (auto _ : state) {
        const QList<Peak> peaks = MeasureAll(state, {"store", "bare-store", "idle"});
        state.counters["peak_MiB"] = peaks[0].mib;
        state.counters["bare_MiB"] = peaks[1].mib;
        state.counters["setup_MiB"] = peaks[2].mib;
        state.counters["answer_MiB"] = answer;
        state.counters["peak_per_answer"] = peaks[0].mib / answer;
        state.counters["bound_MiB"] = 4 * answer;
    }
}
BENCHMARK(BM_DeliveryReceivedAndStored)->Iterations(1)->UseManualTime()->Unit(benchmark::kSecond);

} // namespace
