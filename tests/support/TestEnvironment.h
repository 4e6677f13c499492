#pragma once
// Gives every test process private XDG folders and a private working folder, so no
// test ever reads or writes the user's settings or the source tree.

#include <QString>
#include <QTemporaryDir>

namespace lwtest {

class TestEnvironment {
public:
    // Creates the folders and points XDG_CONFIG_HOME, XDG_DATA_HOME, XDG_CACHE_HOME,
    // HOME and the working folder at them.
    static void install();
    static QString root();
    static QString configHome();
    static QString dataHome();
    static QString workDir();
};

// A fresh folder below the test root, removed with the object.
class ScratchDir {
public:
    ScratchDir();
    QString path() const { return m_dir.path(); }
    QString file(const QString& name) const { return m_dir.filePath(name); }

private:
    QTemporaryDir m_dir;
};

} // namespace lwtest
