#pragma once

#include "help/HelpEngine.h"

#include <QList>
#include <QStringList>

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
