#include "support/CrashReport.h"
#include "support/TestEnvironment.h"

#include <QApplication>
#include <cstdlib>
#include <gtest/gtest.h>

int main(int argc, char** argv) {
    lwtest::TestEnvironment::install();
    ::setenv("QT_QPA_PLATFORM", "offscreen", 0);
    // Views that host the web engine need shared GL contexts, set before the application.
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    lwtest::reportCrashes();
    return RUN_ALL_TESTS();
}
