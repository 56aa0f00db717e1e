#pragma once

#include "help/HTMLHelp.h"
#include "help/HelpEngine.h"

// Shows a compiled help file in the help window of type "Main".
class CompiledHelpEngine : public HelpEngine {
public:
    void DisplayContents(const QString& helpFile) override;
    void DisplayTopic(const QString& helpFile, int32_t topicId) override;
    void Close() override;

private:
    HTMLHelp m_help;
};
