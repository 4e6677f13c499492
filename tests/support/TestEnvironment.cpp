#include "support/TestEnvironment.h"

#include <QDir>
#include <cstdlib>
#include <memory>

namespace lwtest {

namespace {
std::unique_ptr<QTemporaryDir>& rootDir() {
    static std::unique_ptr<QTemporaryDir> dir;
    return dir;
}
QString sub(const char* name) { return QDir(TestEnvironment::root()).filePath(QString::fromLatin1(name)); }
} // namespace

void TestEnvironment::install() {
    if (rootDir())
        return;
    rootDir() = std::make_unique<QTemporaryDir>(QDir::tempPath() + QStringLiteral("/lwtest-XXXXXX"));
    for (const char* d : {"config", "data", "cache", "home", "work"})
        QDir().mkpath(sub(d));
    ::setenv("XDG_CONFIG_HOME", qPrintable(configHome()), 1);
    ::setenv("XDG_DATA_HOME", qPrintable(dataHome()), 1);
    ::setenv("XDG_CACHE_HOME", qPrintable(sub("cache")), 1);
    ::setenv("HOME", qPrintable(sub("home")), 1);
    QDir::setCurrent(workDir());
}

QString TestEnvironment::root() { return rootDir() ? rootDir()->path() : QString(); }
QString TestEnvironment::configHome() { return sub("config"); }
QString TestEnvironment::dataHome() { return sub("data"); }
QString TestEnvironment::workDir() { return sub("work"); }

ScratchDir::ScratchDir() : m_dir(TestEnvironment::root() + QStringLiteral("/scratch-XXXXXX")) {}

} // namespace lwtest
