#pragma once

// The program's work timed beside the same work done bare, in the same
// repetition: the program's time is the iteration time, the bare time and
// the ratio are counters. Each benchmark runs one iteration in each of
// five repetitions; read the medians.

#include <benchmark/benchmark.h>

#include <QApplication>

#include <chrono>
#include <ctime>

enum class Timer { Wall, ThreadCpu };

class SideBySide {
public:
    SideBySide(benchmark::State& state, Timer clock = Timer::Wall) : m_state(state), m_clock(clock) {}

    template <typename Work>
    void Program(Work&& work)
    {
        m_program += Seconds(work);
    }
    template <typename Work>
    void Bare(Work&& work)
    {
        m_bare += Seconds(work);
    }
    // A second bare version that makes the same writes and commits as the
    // program must (reported as alike_ms and ratio_alike).
    template <typename Work>
    void BareAlike(Work&& work)
    {
        m_alike += Seconds(work);
        m_hasAlike = true;
    }
    // Forgets what was timed so far in this repetition.
    void Restart() { m_program = m_bare = m_alike = 0; }
    void Report()
    {
        m_state.SetIterationTime(m_program);
        m_state.counters["bare_ms"] = m_bare * 1000;
        m_state.counters["ratio"] = m_bare > 0 ? m_program / m_bare : 0;
        if (m_hasAlike) {
            m_state.counters["alike_ms"] = m_alike * 1000;
            m_state.counters["ratio_alike"] = m_alike > 0 ? m_program / m_alike : 0;
        }
        Restart();
    }

private:
    double Now() const
    {
        if (m_clock == Timer::ThreadCpu) {
            timespec t{};
            clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
            return double(t.tv_sec) + double(t.tv_nsec) / 1e9;
        }
        return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch()).count();
    }
    template <typename Work>
    double Seconds(Work& work)
    {
        const double start = Now();
        work();
        return Now() - start;
    }

    benchmark::State& m_state;
    Timer m_clock;
    double m_program = 0;
    double m_bare = 0;
    double m_alike = 0;
    bool m_hasAlike = false;
};

// The application object the loopback exchanges, event pumping and the
// screens need: a widget application, offscreen unless a platform is chosen.
inline void EnsureApplication()
{
    if (QCoreApplication::instance())
        return;
    static int argc = 1;
    static char name[] = "nevix_bench";
    static char* argv[] = {name, nullptr};
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    // Never destroyed: at exit Qt's own statics may already be gone.
    new QApplication(argc, argv);
}

#define SIDE_BY_SIDE(bm) \
    BENCHMARK(bm)->Iterations(1)->Repetitions(5)->UseManualTime()->Unit(benchmark::kMillisecond)->ReportAggregatesOnly(true)
