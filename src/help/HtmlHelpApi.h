#pragma once

#include <QString>
#include <QVariant>

#include <cstdint>
#include <memory>

class ChmFile;

// The commands of the compiled-help engine the program sends.
namespace HH {
constexpr uint32_t DisplayTopic = 0;
constexpr uint32_t DisplayToc = 1;
constexpr uint32_t HelpContext = 15;
constexpr uint32_t CloseAll = 18;
} // namespace HH

// The help window: one page of an open help file in the window of the
// given type. The Qt side provides it; without one nothing is shown.
class HelpWindowHost {
public:
    virtual ~HelpWindowHost() = default;
    // Returns the window's handle (not 0).
    virtual intptr_t Show(std::shared_ptr<ChmFile> file, const QString& page,
                          const QString& windowType) = 0;
    virtual void CloseAll() = 0;
};

// nullptr: help windows are not shown.
void SetHelpWindowHost(std::shared_ptr<HelpWindowHost> host);

// The engine's one entry point. target is the help file, optionally
// followed by ">" and a window type; data is the context id (HelpContext)
// or the page (DisplayTopic). Returns the help window's handle, 0 when
// nothing was shown. A file that cannot be read gets a warning of its own.
intptr_t HtmlHelp(intptr_t owner, const QString& target, uint32_t command, const QVariant& data);
