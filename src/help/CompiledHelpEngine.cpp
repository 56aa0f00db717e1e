#include "help/CompiledHelpEngine.h"

void CompiledHelpEngine::DisplayContents(const QString& helpFile)
{
    m_help.SetCHMFile(helpFile);
    m_help.SetHHWindow(QStringLiteral("Main"));
    m_help.HHDisplayContents();
}

void CompiledHelpEngine::DisplayTopic(const QString& helpFile, int32_t topicId)
{
    m_help.SetCHMFile(helpFile);
    m_help.SetHHTopicID(topicId);
    m_help.SetHHWindow(QStringLiteral("Main"));
    m_help.HHDisplayTopicID();
}

void CompiledHelpEngine::Close()
{
    m_help.HHClose();
}
