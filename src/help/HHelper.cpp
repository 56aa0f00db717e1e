#include "help/HHelper.h"

#include <memory>

void HHelper::SetHelpFile(const QString& strFile)
{
    m_compiled = strFile.contains(QStringLiteral(".CHM"), Qt::CaseInsensitive);
    m_helpFile = strFile;
}

namespace {
std::unique_ptr<HHelper>& Slot()
{
    static std::unique_ptr<HHelper> help;
    return help;
}
} // namespace

HHelper& GlobalHelp()
{
    auto& slot = Slot();
    if (!slot)
        slot = std::make_unique<HHelper>();
    return *slot;
}

void ReleaseHelp()
{
    Slot().reset();
}
