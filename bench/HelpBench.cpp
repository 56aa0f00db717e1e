// Finding the page of a context id whose stored path is a long run of "/"
// before the page name, beside the bare work of one pass over the path
// (reading it as UTF-8 and finding its last "/"); and opening a file whose
// default topic is one, beside reading the file and that one pass. The
// time stays linear in the path's length (the ratio does not grow as the
// path doubles).
#include "jobs/SideBySide.h"

#include "ChmWriter.h"
#include "help/ChmFile.h"

#include <QFile>
#include <QTemporaryDir>

namespace {

QByteArray Slashes(int64_t count)
{
    return QByteArray(qsizetype(count), '/') + "menu.htm";
}

QString WriteHelpFile(const QTemporaryDir& dir, const QByteArray& topicPath, const QByteArray& defaultTopic)
{
    ChmWriter writer;
    writer.AddSystem(defaultTopic, "Bench");
    writer.Add("/welcome.htm", "<p>Welcome</p>");
    writer.Add("/menu.htm", "<p>Menu</p>");
    writer.AddTopics({{1000, topicPath}});
    const QString path = dir.filePath(QStringLiteral("bench.chm"));
    writer.Write(path);
    return path;
}

void BarePass(const QByteArray& path)
{
    const QString text = QString::fromUtf8(path);
    benchmark::DoNotOptimize(text.toUtf8().lastIndexOf('/'));
}

void BM_PageForLongTopicPath(benchmark::State& state)
{
    QTemporaryDir dir;
    const QByteArray topicPath = Slashes(state.range(0));
    ChmFile file(WriteHelpFile(dir, topicPath, "/welcome.htm"));
    SideBySide timing(state);
    for (auto _ : state) {
        timing.Program([&] {
            if (file.PageForTopic(1000) != QLatin1String("/menu.htm"))
                state.SkipWithError("the topic's page was not found");
        });
        timing.Bare([&] { BarePass(topicPath); });
        timing.Report();
    }
}
SIDE_BY_SIDE(BM_PageForLongTopicPath)->Arg(130000)->Arg(260000)->Arg(520000);

void BM_OpenWithLongDefaultTopic(benchmark::State& state)
{
    QTemporaryDir dir;
    const QByteArray topic = Slashes(state.range(0));
    const QString path = WriteHelpFile(dir, "/menu.htm", topic);
    SideBySide timing(state);
    for (auto _ : state) {
        timing.Program([&] {
            const ChmFile file(path);
            if (file.DefaultTopic() != QLatin1String("/menu.htm"))
                state.SkipWithError("the default topic was not found");
        });
        timing.Bare([&] {
            QFile bytes(path);
            benchmark::DoNotOptimize(bytes.open(QIODevice::ReadOnly) ? bytes.readAll().size() : 0);
            BarePass(topic);
        });
        timing.Report();
    }
}
// A system entry holds at most 65,535 bytes.
SIDE_BY_SIDE(BM_OpenWithLongDefaultTopic)->Arg(16250)->Arg(32500)->Arg(65000);

} // namespace
