#include "support/CrashReport.h"
#include "support/TestEnvironment.h"

#include <QApplication>
#include <cstdlib>
#include <gtest/gtest.h>

int main(int argc, char** argv) {
    lwtest::TestEnvironment::install();
    ::setenv("QT_QPA_PLATFORM", "offscreen", 0);
    // Running as root, Chromium refuses to start its sandbox.
    ::setenv("QTWEBENGINE_DISABLE_SANDBOX", "1", 0);
    ::setenv("QTWEBENGINE_CHROMIUM_FLAGS", "--disable-gpu --no-sandbox", 0);
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    lwtest::reportCrashes();
    return RUN_ALL_TESTS();
}
