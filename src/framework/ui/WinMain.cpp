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
    QApplication app(argc, argv);
    QGuiApplication::setDesktopFileName(QString::fromLatin1(desktopFileName));
    auto* winApp = dynamic_cast<CWinAppEx*>(AfxGetApp());
    if (!winApp)
        return 1;
    return winApp->Run();
}

} // namespace lw
