#pragma once
// The per-user settings file: a CSettingsTree kept as text in
// $XDG_CONFIG_HOME/Tarn/Loomwrite.reg, shared safely by every running instance.
//
// Reads answer from the file's current content, cached until a stat shows the file may have
// changed; reading never creates anything. Every write takes an exclusive lock on the sibling
// "<file>.lock", re-reads the file, applies the change and replaces the file atomically
// (temporary file in the same folder, fsync, rename), so concurrent writers lose nothing and a
// crash leaves either the old or the new file. A write reports failure only through its
// result and leaves the old file as it was.
//
// A file that cannot be parsed, or is over 16 MiB, counts as empty; the first write after that
// keeps it beside as "<file>.bad" before replacing it. A file that exists but cannot be read
// (a folder, no permission, not a regular file) also counts as empty, but writes fail rather
// than destroy it. Either case is reported once per process and file on stderr. A write whose
// result the reader would refuse (too large, too deep, too many keys) fails with a warning and
// leaves the file as it was.
//
// A settings path that is a symbolic link keeps the link: writes replace its target.
// A new file is created readable by its owner only, since it holds paths of the user's files.

#include "framework/core/SettingsTree.h"

#include <QString>
#include <functional>

namespace lw {

namespace detail {
// What stat() tells about the settings file; any difference means its content may differ.
struct FileStamp {
    bool exists = false;
    quint64 dev = 0, ino = 0;
    qint64 size = 0, mtimeNs = 0, ctimeNs = 0;
    bool operator==(const FileStamp&) const = default;
};
} // namespace detail

class CSettingsStore {
public:
    explicit CSettingsStore(QString filePath = defaultFilePath());

    // $XDG_CONFIG_HOME/Tarn/Loomwrite.reg, or ~/.config/... when the variable is unset or
    // not an absolute path.
    static QString defaultFilePath();
    QString filePath() const { return m_path; }

    CSettingsTree snapshot() const { return current(); }

    bool keyExists(const QString& key) const { return current().keyExists(key); }
    std::optional<quint32> readDWord(const QString& key, const QString& name) const {
        return current().readDWord(key, name);
    }
    std::optional<quint64> readQWord(const QString& key, const QString& name) const {
        return current().readQWord(key, name);
    }
    std::optional<QString> readString(const QString& key, const QString& name) const {
        return current().readString(key, name);
    }
    std::optional<QByteArray> readBinary(const QString& key, const QString& name) const {
        return current().readBinary(key, name);
    }
    QStringList subKeys(const QString& key) const { return current().subKeys(key); }
    QStringList valueNames(const QString& key) const { return current().valueNames(key); }

    bool writeDWord(const QString& key, const QString& name, quint32 v);
    bool writeQWord(const QString& key, const QString& name, quint64 v);
    bool writeString(const QString& key, const QString& name, const QString& v);
    bool writeBinary(const QString& key, const QString& name, const QByteArray& v);
    // False when there was nothing to delete or the file could not be replaced.
    bool deleteValue(const QString& key, const QString& name);
    // Deleting "" is deleteApplicationKey().
    bool deleteKey(const QString& key);

    // Runs edit on the file's current content and stores the result as one replacement.
    // True when the result is stored (or nothing changed).
    bool apply(const std::function<void(CSettingsTree&)>& edit);

    // Removes the file (a symbolic link itself, not its target), its lock file and leftovers
    // of interrupted writes, then its folder when nothing else is in it. True when the file
    // is gone.
    bool deleteApplicationKey();

    static constexpr qint64 kMaxFileSize = 16 * 1024 * 1024;

private:
    const CSettingsTree& current() const;
    // Runs edit on the content read under the lock and stores the result when it differs.
    // An edit returning false has nothing to do, and the write fails.
    bool mutate(const std::function<bool(CSettingsTree&)>& edit);
    void remember(const CSettingsTree& tree, const detail::FileStamp& stamp) const;

    QString m_path;
    mutable CSettingsTree m_cache;
    mutable detail::FileStamp m_cacheStamp;
    mutable qint64 m_cacheCheckedNs = 0;
    mutable bool m_cacheValid = false;
};

} // namespace lw
