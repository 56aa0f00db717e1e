#include "screens/common/ScreenHelpers.h"

#include <QApplication>
#include <QWidget>

#include "core/qt/FormWidgets.h"
#include "platform/AppContext.h"
#include "screens/common/UnloadAllForms.h"

// Last: the X headers define macros (None, Bool, Status) that clash with Qt.
#if defined(NEVIX_HAVE_XKB) && QT_CONFIG(xcb)
#include <X11/XKBlib.h>
#define NEVIX_READ_XKB 1
#endif

bool IsCapsLockOn()
{
    return AppContext::Current().IsCapsLockOn();
}

bool ReadX11CapsLock()
{
#ifdef NEVIX_READ_XKB
    const auto* x11 =
        qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    Display* display = x11 ? x11->display() : nullptr;
    if (!display)
        return false;
    // By name: the caps-lock light need not be the first indicator.
    const Atom capsLock = XInternAtom(display, "Caps Lock", True);
    Bool on = False;
    if (capsLock == None ||
        !XkbGetNamedIndicator(display, capsLock, nullptr, &on, nullptr, nullptr))
        return false;
    return on != False;
#else
    return false;
#endif
}

void UnloadMenuIfLoaded()
{
    const QString menuName = QStringLiteral("frmMenu");
    if (!IsFormLoaded(menuName))
        return;
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (window->objectName() != menuName)
            continue;
        MarkUnloading(*window);
        // A menu that refuses to close stays loaded.
        if (window->close())
            window->deleteLater();
    }
}
