// An export written record by record through AtomicFile (each record one
// checked write, then sync and rename) against the same bytes written bare:
// a buffered QFile, flushed, synced and renamed.
#include "core/AtomicFile.h"

#include <QByteArray>
#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <unistd.h>

namespace {
constexpr int Records = 100000;
const QByteArray Record = QByteArray(78, 'x') + "\r\n";

void BM_AtomicFileRecordByRecord(benchmark::State& state)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("export.txt"));
    for (auto _ : state) {
        AtomicFile file(path);
        bool ok = file.Open();
        for (int i = 0; ok && i < Records; ++i)
            ok = file.WriteAll(Record);
        ok = ok && file.Commit();
        if (!ok)
            state.SkipWithError("write failed");
    }
    state.SetBytesProcessed(state.iterations() * Records * Record.size());
}
BENCHMARK(BM_AtomicFileRecordByRecord)->Unit(benchmark::kMillisecond);

void BM_BareBufferedFile(benchmark::State& state)
{
    QTemporaryDir dir;
    const QString temporary = dir.filePath(QStringLiteral("export.tmp"));
    const QString path = dir.filePath(QStringLiteral("export.txt"));
    for (auto _ : state) {
        QFile file(temporary);
        if (!file.open(QIODevice::WriteOnly))
            state.SkipWithError("open failed");
        for (int i = 0; i < Records; ++i)
            file.write(Record);
        file.flush();
        ::fsync(file.handle());
        file.close();
        ::rename(QFile::encodeName(temporary).constData(), QFile::encodeName(path).constData());
    }
    state.SetBytesProcessed(state.iterations() * Records * Record.size());
}
BENCHMARK(BM_BareBufferedFile)->Unit(benchmark::kMillisecond);
} // namespace
