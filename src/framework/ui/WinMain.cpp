#include "framework/ui/WinMain.h"

#include "framework/ui/WinAppEx.h"

#include <QApplication>
#include <QGuiApplication>
#include <unistd.h>

namespace lw {

int AfxWinMain(int argc, char** argv, const char* desktopFileName) {
    // Chromium refuses to run its sandbox as root; the page never runs scripts anyway.
    if (::geteuid() == 0)
        qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
    // The web engine shares one GL context with the widgets; set before the application exists.
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    // Pages reach the window through Qt Quick. Its software renderer draws them without
    // compiling GL shaders first, which on a machine rendering GL in software cost about a
    // quarter of a second of every start and took most of a core while pages painted. A
    // renderer the user chose through Qt's own variables is kept.
    if (!qEnvironmentVariableIsSet("QT_QUICK_BACKEND") && !qEnvironmentVariableIsSet("QSG_RHI_BACKEND"))
        qputenv("QT_QUICK_BACKEND", "software");
    QApplication app(argc, argv);
    QGuiApplication::setDesktopFileName(QString::fromLatin1(desktopFileName));
    auto* winApp = dynamic_cast<CWinAppEx*>(AfxGetApp());
    if (!winApp)
        return 1;
    return winApp->Run();
}

} // namespace lw
