#pragma once

#include "help/HHelper.h"
#include "help/HelpEngine.h"

#include <QList>
#include <QStringList>

#include <memory>

// A help engine that records the topics asked for instead of showing them.
class RecordingHelp : public HelpEngine {
public:
    void DisplayContents(const QString&) override {}
    void DisplayTopic(const QString& file, int32_t topic) override
    {
        files.append(file);
        topics.append(topic);
    }
    void Close() override {}
    QStringList files;
    QList<int32_t> topics;
};

// Puts a recording engine with a help file behind the program-wide help
// object for the life of a scope.
class ScopedRecordingHelp {
public:
    ScopedRecordingHelp()
    {
        GlobalHelp().SetHelpFile(QStringLiteral("guide.chm"));
        GlobalHelp().SetHelpEngine(engine);
    }
    ~ScopedRecordingHelp() { ReleaseHelp(); }
    ScopedRecordingHelp(const ScopedRecordingHelp&) = delete;
    ScopedRecordingHelp& operator=(const ScopedRecordingHelp&) = delete;

    std::shared_ptr<RecordingHelp> engine = std::make_shared<RecordingHelp>();
};
