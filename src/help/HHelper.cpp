#include "help/HHelper.h"

#include "core/AskTellUser.h"
#include "help/CompiledHelpEngine.h"
#include "help/HelpEngine.h"
#include "platform/NevixError.h"

HHelper::HHelper() : m_engine(std::make_shared<NullHelpEngine>()) {}

HHelper::~HHelper()
{
    try {
        CloseHelpWindow();
    } catch (...) {
        // Closing a viewer at the end is best effort.
    }
}

void HHelper::SetHelpFile(const QString& strFile)
{
    m_compiled = strFile.contains(QStringLiteral(".CHM"), Qt::CaseInsensitive);
    if (m_compiled)
        m_engine = std::make_shared<CompiledHelpEngine>();
    else
        m_engine = std::make_shared<NullHelpEngine>();
    m_helpFile = strFile;
}

void HHelper::SetHelpEngine(std::shared_ptr<HelpEngine> engine)
{
    m_engine = engine ? std::move(engine) : std::make_shared<NullHelpEngine>();
}

void HHelper::DisplayContentsPage()
{
    if (HasHelp())
        m_engine->DisplayContents(m_helpFile);
}

void HHelper::DisplayTopic(int32_t TopicId)
{
    if (HasHelp())
        m_engine->DisplayTopic(m_helpFile, TopicId);
}

void HHelper::CloseHelpWindow()
{
    if (HasHelp())
        m_engine->Close();
}

namespace {
std::unique_ptr<HHelper>& Slot()
{
    static std::unique_ptr<HHelper> help;
    return help;
}

QString& ProgramHelpFile()
{
    static QString file;
    return file;
}
} // namespace

HHelper& GlobalHelp()
{
    auto& slot = Slot();
    if (!slot) {
        slot = std::make_unique<HHelper>();
        slot->SetHelpFile(ProgramHelpFile());
    }
    return *slot;
}

void SetProgramHelpFile(const QString& file)
{
    ProgramHelpFile() = file;
    GlobalHelp().SetHelpFile(file);
}

void ReleaseHelp()
{
    Slot().reset();
}

void ShowHelpTopic(int32_t TopicId)
{
    try {
        GlobalHelp().DisplayTopic(TopicId);
    } catch (const NevixError& e) {
        TellUserWarning(QStringLiteral("There was an error reading the help:"), e.Description());
    }
}
