#include "framework/core/SettingsStore.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMutex>
#include <QRandomGenerator>
#include <QSet>
#include <QtDebug>
#include <cerrno>
#include <chrono>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <thread>
#include <time.h>
#include <unistd.h>

namespace lw {

using detail::FileStamp;

namespace {

// A file whose time stamps are this close to the moment it was read may have been rewritten
// within the file system's time stamp granularity, with a recycled inode and the same size:
// its stamp cannot prove the cache is still right, so it is read again.
constexpr qint64 kRacyNs = 2'000'000'000;
// A writer holds the lock only for one small file replacement; waiting longer than this means
// the holder is stopped, and the write gives up rather than freeze the caller.
constexpr int kLockWaitMs = 5000;
constexpr mode_t kNewFileMode = 0600;

QByteArray native(const QString& path) {
    return QFile::encodeName(path);
}

qint64 nowNs() {
    timespec ts{};
    clock_gettime(CLOCK_REALTIME, &ts);
    return qint64(ts.tv_sec) * 1'000'000'000 + ts.tv_nsec;
}

FileStamp stampOf(const struct stat& st) {
    return {true,
            quint64(st.st_dev),
            quint64(st.st_ino),
            qint64(st.st_size),
            qint64(st.st_mtim.tv_sec) * 1'000'000'000 + st.st_mtim.tv_nsec,
            qint64(st.st_ctim.tv_sec) * 1'000'000'000 + st.st_ctim.tv_nsec};
}

FileStamp statStamp(const QString& path) {
    struct stat st {};
    return ::stat(native(path).constData(), &st) == 0 ? stampOf(st) : FileStamp{};
}

class Fd {
public:
    explicit Fd(int fd = -1) : m_fd(fd) {}
    Fd(Fd&& other) noexcept : m_fd(std::exchange(other.m_fd, -1)) {}
    Fd& operator=(Fd&& other) noexcept {
        reset();
        m_fd = std::exchange(other.m_fd, -1);
        return *this;
    }
    ~Fd() { reset(); }
    int get() const { return m_fd; }
    bool valid() const { return m_fd >= 0; }
    // Closes now, telling whether close itself reported an error (a late write failure).
    bool reset() {
        const int fd = std::exchange(m_fd, -1);
        return fd < 0 || ::close(fd) == 0;
    }

private:
    int m_fd;
};

bool writeAll(int fd, const char* data, qint64 size) {
    while (size > 0) {
        const ssize_t n = ::write(fd, data, size_t(size));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        data += n;
        size -= n;
    }
    return true;
}

void syncFolder(const QString& dir) {
    Fd fd(::open(native(dir).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (fd.valid())
        ::fsync(fd.get());
}

bool makePath(const QString& dir) {
    if (QFileInfo(dir).isDir())
        return true;
    const QString parent = QFileInfo(dir).absolutePath();
    if (parent != dir && !makePath(parent))
        return false;
    // Private, as a missing configuration folder is created under the XDG rules.
    return ::mkdir(native(dir).constData(), 0700) == 0 || (errno == EEXIST && QFileInfo(dir).isDir());
}

// Writes go to the file a symbolic link points to, so the link itself survives.
QString writeTarget(const QString& path) {
    const QFileInfo fi(path);
    if (!fi.isSymLink())
        return fi.absoluteFilePath();
    const QString canonical = fi.canonicalFilePath();
    return canonical.isEmpty() ? fi.symLinkTarget() : canonical;
}

// Leftovers of writers that died before their rename (of the file or of its ".bad" copy).
// Only called under the lock, when no live writer can own one.
void removeStaleTemps(const QString& target) {
    const QFileInfo fi(target);
    const QString prefixes[] = {fi.fileName() + QStringLiteral(".tmp-"),
                                fi.fileName() + QStringLiteral(".bad.tmp-")};
    const QDir dir = fi.absoluteDir();
    const auto names = dir.entryList(QDir::Files | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    for (const QString& name : names) {
        if (name.startsWith(prefixes[0]) || name.startsWith(prefixes[1]))
            ::unlink(native(dir.filePath(name)).constData());
    }
}

struct Ownership {
    mode_t mode = kNewFileMode;
    uid_t uid = ::geteuid();
    gid_t gid = ::getegid();
};

// Replaces target with data: temporary file in the same folder, fsync, rename. On any
// failure the temporary is removed and target is untouched.
bool replaceAtomically(const QString& target, const char* data, qint64 size, const Ownership& own,
                       int sourceFd = -1) {
    QByteArray tmp = native(target + QStringLiteral(".tmp-XXXXXX"));
    Fd fd(::mkostemp(tmp.data(), O_CLOEXEC));
    if (!fd.valid())
        return false;
    const auto fail = [&] {
        fd.reset();
        ::unlink(tmp.constData());
        return false;
    };
    if (own.uid != ::geteuid() || own.gid != ::getegid()) {
        // Best effort: only a privileged writer can hand the file back to its owner.
        if (::fchown(fd.get(), own.uid, own.gid) != 0) {
        }
    }
    if (::fchmod(fd.get(), own.mode) != 0)
        return fail();
    if (sourceFd >= 0) {
        char buf[65536];
        for (;;) {
            const ssize_t n = ::read(sourceFd, buf, sizeof buf);
            if (n < 0 && errno == EINTR)
                continue;
            if (n < 0)
                return fail();
            if (n == 0)
                break;
            if (!writeAll(fd.get(), buf, n))
                return fail();
        }
    } else if (!writeAll(fd.get(), data, size)) {
        return fail();
    }
    if (::fsync(fd.get()) != 0 || !fd.reset())
        return fail();
    if (::rename(tmp.constData(), native(target).constData()) != 0)
        return fail();
    syncFolder(QFileInfo(target).absolutePath());
    return true;
}

// Keeps the file as "<target>.bad" before it is replaced: a second name for the same inode
// where the file system allows it, else a copy.
bool keepBadCopy(const QString& target) {
    const QString bad = target + QStringLiteral(".bad");
    const QString linkName =
        target + QStringLiteral(".tmp-") + QString::number(QRandomGenerator::global()->generate64(), 16);
    if (::link(native(target).constData(), native(linkName).constData()) == 0) {
        if (::rename(native(linkName).constData(), native(bad).constData()) == 0)
            return true;
        ::unlink(native(linkName).constData());
        return false;
    }
    Fd src(::open(native(target).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
    struct stat st {};
    if (!src.valid() || ::fstat(src.get(), &st) != 0)
        return false;
    return replaceAtomically(bad, nullptr, 0, {mode_t(st.st_mode & 07777), st.st_uid, st.st_gid}, src.get());
}

struct FileRead {
    enum Kind { Missing, Ok, Corrupt, Unreadable };
    Kind kind = Missing;
    CSettingsTree tree;
    FileStamp stamp;
    Ownership own;
    QString reason;
};

FileRead readSettingsFile(const QString& path) {
    FileRead r;
    // Non-blocking, so a FIFO in the file's place cannot hang the reader.
    Fd fd(::open(native(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY));
    if (!fd.valid()) {
        if (errno != ENOENT && errno != ENOTDIR) {
            r.kind = FileRead::Unreadable;
            r.reason = QString::fromLocal8Bit(std::strerror(errno));
            r.stamp = statStamp(path);
        }
        return r;
    }
    const auto unreadable = [&](const QString& reason) {
        r.kind = FileRead::Unreadable;
        r.reason = reason;
        return std::move(r);
    };
    struct stat st {};
    if (::fstat(fd.get(), &st) != 0)
        return unreadable(QString::fromLocal8Bit(std::strerror(errno)));
    r.stamp = stampOf(st);
    if (S_ISDIR(st.st_mode))
        return unreadable(QStringLiteral("it is a folder"));
    if (!S_ISREG(st.st_mode))
        return unreadable(QStringLiteral("it is not a regular file"));
    r.own = {mode_t(st.st_mode & 07777), st.st_uid, st.st_gid};

    r.kind = FileRead::Corrupt;
    const QString tooLarge =
        QStringLiteral("it is larger than %1 MiB").arg(CSettingsStore::kMaxFileSize >> 20);
    if (st.st_size > CSettingsStore::kMaxFileSize) {
        r.reason = tooLarge;
        return r;
    }
    // The size can change under us: read to the end, but never past the limit.
    QByteArray text;
    text.resize(qsizetype(st.st_size) + 1);
    qsizetype used = 0;
    for (;;) {
        if (used == text.size()) {
            if (used > CSettingsStore::kMaxFileSize) {
                r.reason = tooLarge;
                return r;
            }
            text.resize(std::min<qsizetype>(used * 2 + 4096, CSettingsStore::kMaxFileSize + 1));
        }
        const ssize_t n = ::read(fd.get(), text.data() + used, size_t(text.size() - used));
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return unreadable(QString::fromLocal8Bit(std::strerror(errno)));
        if (n == 0)
            break;
        used += n;
    }
    text.truncate(used);
    int line = 0;
    auto tree = CSettingsTree::parse(text, &line);
    if (!tree) {
        r.reason = QStringLiteral("line %1 is not understood").arg(line);
        return r;
    }
    r.kind = FileRead::Ok;
    r.tree = std::move(*tree);
    return r;
}

// Why the reader would refuse a file holding text, or empty when it would read it.
QString unreadableWrite(const QByteArray& text) {
    if (text.size() > CSettingsStore::kMaxFileSize)
        return QStringLiteral("the file would be larger than %1 MiB").arg(CSettingsStore::kMaxFileSize >> 20);
    if (!CSettingsTree::parse(text))
        return QStringLiteral("the settings exceed what the file may hold");
    return {};
}

// One warning per process and file, however often the file is read.
void warnOnce(const QString& path, const FileRead& r) {
    if (r.kind != FileRead::Corrupt && r.kind != FileRead::Unreadable)
        return;
    static QMutex mutex;
    static QSet<QString> warned;
    {
        QMutexLocker lock(&mutex);
        if (warned.contains(path))
            return;
        warned.insert(path);
    }
    if (r.kind == FileRead::Corrupt) {
        qWarning().noquote() << QStringLiteral(
                                    "Settings file %1 is not valid (%2): defaults apply; it will be "
                                    "kept as %1.bad when settings are next saved.")
                                    .arg(path, r.reason);
    } else {
        qWarning().noquote()
            << QStringLiteral("Settings file %1 cannot be read (%2): defaults apply and no setting is saved.")
                   .arg(path, r.reason);
    }
}

// An exclusive flock on the sibling lock file, held until destruction.
class WriteLock {
public:
    bool acquire(const QString& lockPath) {
        const QByteArray path = native(lockPath);
        const QDeadlineTimer deadline(kLockWaitMs);
        for (;;) {
            Fd fd(::open(path.constData(), O_RDWR | O_CREAT | O_CLOEXEC, kNewFileMode));
            if (!fd.valid())
                return false;
            auto pause = std::chrono::milliseconds(1);
            while (::flock(fd.get(), LOCK_EX | LOCK_NB) != 0) {
                if (errno == EINTR)
                    continue;
                if (errno != EWOULDBLOCK || deadline.hasExpired())
                    return false;
                std::this_thread::sleep_for(pause);
                pause = std::min(pause * 2, std::chrono::milliseconds(20));
            }
            // The lock file may have been deleted (and another created) while we waited:
            // a lock on the deleted one excludes nobody.
            struct stat held {};
            struct stat named {};
            if (::fstat(fd.get(), &held) == 0 && ::stat(path.constData(), &named) == 0 &&
                held.st_dev == named.st_dev && held.st_ino == named.st_ino) {
                m_fd = std::move(fd);
                return true;
            }
        }
    }

private:
    Fd m_fd;
};

} // namespace

CSettingsStore::CSettingsStore(QString filePath) : m_path(std::move(filePath)) {}

QString CSettingsStore::defaultFilePath() {
    // Relative values are invalid under the XDG rules and are ignored.
    QString base = qEnvironmentVariable("XDG_CONFIG_HOME");
    if (base.isEmpty() || QDir::isRelativePath(base))
        base = QDir::homePath() + QStringLiteral("/.config");
    return base + QStringLiteral("/Tarn/Loomwrite.reg");
}

void CSettingsStore::remember(const CSettingsTree& tree, const FileStamp& stamp) const {
    m_cache = tree;
    m_cacheStamp = stamp;
    m_cacheCheckedNs = nowNs();
    m_cacheValid = true;
}

const CSettingsTree& CSettingsStore::current() const {
    const FileStamp stamp = statStamp(m_path);
    const bool racy = stamp.exists && m_cacheCheckedNs - std::max(stamp.mtimeNs, stamp.ctimeNs) < kRacyNs;
    if (m_cacheValid && stamp == m_cacheStamp && !racy)
        return m_cache;
    const FileRead r = readSettingsFile(m_path);
    warnOnce(QFileInfo(m_path).absoluteFilePath(), r);
    remember(r.kind == FileRead::Ok ? r.tree : CSettingsTree{}, r.stamp);
    return m_cache;
}

bool CSettingsStore::mutate(const std::function<bool(CSettingsTree&)>& edit) {
    const QString target = writeTarget(m_path);
    if (!makePath(QFileInfo(m_path).absolutePath()) || !makePath(QFileInfo(target).absolutePath()))
        return false;
    WriteLock lock;
    if (!lock.acquire(m_path + QStringLiteral(".lock")))
        return false;
    removeStaleTemps(target);

    // The content others may have written since this process last looked.
    const FileRead r = readSettingsFile(target);
    warnOnce(QFileInfo(m_path).absoluteFilePath(), r);
    if (r.kind == FileRead::Unreadable)
        return false;
    const CSettingsTree before = r.kind == FileRead::Ok ? r.tree : CSettingsTree{};
    CSettingsTree tree = before;
    if (!edit(tree))
        return false;
    if (tree == before)
        return true;

    // A file the reader would refuse would cost the user every setting at the next start:
    // such a write fails instead, and the file keeps what it had.
    const QByteArray text = tree.serialise();
    if (const QString refusal = unreadableWrite(text); !refusal.isEmpty()) {
        qWarning().noquote() << QStringLiteral("Settings file %1 is not saved: %2, which could not be read back.")
                                    .arg(QFileInfo(m_path).absoluteFilePath(), refusal);
        return false;
    }
    if (r.kind == FileRead::Corrupt && !keepBadCopy(target))
        return false;
    if (!replaceAtomically(target, text.constData(), text.size(), r.own))
        return false;
    remember(tree, statStamp(m_path));
    return true;
}

bool CSettingsStore::writeDWord(const QString& key, const QString& name, quint32 v) {
    return mutate([&](CSettingsTree& t) {
        t.writeDWord(key, name, v);
        return true;
    });
}

bool CSettingsStore::writeQWord(const QString& key, const QString& name, quint64 v) {
    return mutate([&](CSettingsTree& t) {
        t.writeQWord(key, name, v);
        return true;
    });
}

bool CSettingsStore::writeString(const QString& key, const QString& name, const QString& v) {
    return mutate([&](CSettingsTree& t) {
        t.writeString(key, name, v);
        return true;
    });
}

bool CSettingsStore::writeBinary(const QString& key, const QString& name, const QByteArray& v) {
    return mutate([&](CSettingsTree& t) {
        t.writeBinary(key, name, v);
        return true;
    });
}

bool CSettingsStore::deleteValue(const QString& key, const QString& name) {
    return mutate([&](CSettingsTree& t) { return t.deleteValue(key, name); });
}

bool CSettingsStore::deleteKey(const QString& key) {
    if (key.split(u'\\', Qt::SkipEmptyParts).isEmpty())
        return deleteApplicationKey();
    return mutate([&](CSettingsTree& t) { return t.deleteKey(key); });
}

bool CSettingsStore::apply(const std::function<void(CSettingsTree&)>& edit) {
    return mutate([&](CSettingsTree& t) {
        edit(t);
        return true;
    });
}

bool CSettingsStore::deleteApplicationKey() {
    m_cacheValid = false;
    const QString dir = QFileInfo(m_path).absolutePath();
    if (!QFileInfo(dir).isDir())
        return true;
    const QString lockPath = m_path + QStringLiteral(".lock");
    bool gone = false;
    {
        WriteLock lock;
        if (!lock.acquire(lockPath))
            return false;
        gone = ::unlink(native(m_path).constData()) == 0 || errno == ENOENT;
        removeStaleTemps(m_path);
        // Deleted while held: a writer waiting on it notices and locks a fresh one.
        ::unlink(native(lockPath).constData());
    }
    ::rmdir(native(dir).constData());
    return gone;
}

} // namespace lw
