#include "core/AskTellUser.h"
#include "core/GlobalDeclarations.h"
#include "core/qt/QtUserInteraction.h"
#include "core/qt/TextBoxStart.h"
#include "help/HtmlHelpApi.h"
#include "help/qt/QtHelpWindowHost.h"
#include "platform/AppContext.h"
#include "platform/LocalZone.h"
#include "reports/qt/QtPrinterCanvas.h"
#include "screens/common/ScreenHelpers.h"
#include "startup/GlobalObjects.h"
#include "startup/ProgramScreens.h"
#include "startup/CommandLine.h"
#include "startup/ProgramStart.h"
#include "startup/Session.h"

#include <QApplication>

namespace {
// "/immediate" shows no window that anyone needs to see: started where no
// display is (cron), it runs on Qt's offscreen platform rather than abort.
void RunOffscreenWhenImmediateWithoutDisplay(int argc, char* argv[])
{
    if (!qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") || !qEnvironmentVariableIsEmpty("DISPLAY") ||
        !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY"))
        return;
    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    if (CommandLine::Parse(arguments).Immediate)
        qputenv("QT_QPA_PLATFORM", "offscreen");
}
} // namespace

int main(int argc, char* argv[])
{
    RunOffscreenWhenImmediateWithoutDisplay(argc, argv);
    QApplication app(argc, argv);
    QApplication::setApplicationName(ApplicationTitle);
    QApplication::setApplicationVersion(ProgramVersion);
    ShowProgramTextsFromTheStart();
    auto context = AppContext::MakeDefault(std::make_shared<QtUserInteraction>());
    context->SetPrinter([] { return std::make_unique<QtPrinterCanvas>(); });
    context->SetCapsLockReader(ReadX11CapsLock);
    AppContext::Install(context);
    // Kept from the start, for the conversions made before any job.
    LocalZone::Refresh();
    SetHelpWindowHost(std::make_shared<QtHelpWindowHost>());

    Session session(ProgramScreens());
    StartupHooks hooks = ProgramStart::DefaultHooks();
    hooks.OpenLogon = [&session] { session.OpenLogon(); };
    ProgramStart start(QApplication::arguments().mid(1), hooks);
    int rc = 0;
    if (start.Main())
        rc = QApplication::exec();
    // A start that ended without the program having run says why.
    if (start.Refusal() != StartRefusal::None)
        rc = int(start.Refusal());
    else if (rc == 0)
        rc = session.ExitCode();
    ReleaseGlobalObjects();
    SetHelpWindowHost(nullptr);
    AppContext::Install(nullptr);
    return rc;
}
