#include "help/HtmlHelpApi.h"

#include "core/AskTellUser.h"
#include "help/ChmFile.h"
#include "platform/NevixError.h"

namespace {
std::shared_ptr<HelpWindowHost>& Host()
{
    static std::shared_ptr<HelpWindowHost> host;
    return host;
}
} // namespace

void SetHelpWindowHost(std::shared_ptr<HelpWindowHost> host)
{
    Host() = std::move(host);
}

intptr_t HtmlHelp(intptr_t /*owner*/, const QString& target, uint32_t command, const QVariant& data)
{
    if (command == HH::CloseAll) {
        if (Host())
            Host()->CloseAll();
        return 0;
    }
    if (command != HH::DisplayTopic && command != HH::DisplayToc && command != HH::HelpContext)
        return 0;
    const qsizetype split = target.indexOf(QLatin1Char('>'));
    const QString fileName = split < 0 ? target : target.left(split);
    const QString windowType = split < 0 ? QString() : target.mid(split + 1);

    std::shared_ptr<ChmFile> file;
    try {
        file = std::make_shared<ChmFile>(fileName);
    } catch (const NevixError& e) {
        TellUserWarning(e.Description(), QString());
        return 0;
    }
    QString page;
    if (command == HH::HelpContext)
        page = file->PageForTopic(data.toInt());
    else if (command == HH::DisplayTopic)
        page = file->FindPage(data.toString());
    // The viewer has no contents pane: the contents open the default topic,
    // as does a page the file does not hold.
    if (page.isEmpty())
        page = file->DefaultTopic();
    if (page.isEmpty() || !Host())
        return 0;
    return Host()->Show(std::move(file), page, windowType);
}
