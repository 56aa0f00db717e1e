#pragma once

#include <QString>

#include <cstdint>

// What shows a help file: its contents page or one topic, and closes what
// it opened. Raises a NevixError when it cannot.
class HelpEngine {
public:
    virtual ~HelpEngine() = default;
    virtual void DisplayContents(const QString& helpFile) = 0;
    virtual void DisplayTopic(const QString& helpFile, int32_t topicId) = 0;
    virtual void Close() = 0;
};

// Shows nothing: stands in for the engine of help files that are not
// compiled, which this platform cannot show, and for no help at all.
class NullHelpEngine : public HelpEngine {
public:
    void DisplayContents(const QString&) override {}
    void DisplayTopic(const QString&, int32_t) override {}
    void Close() override {}
};
