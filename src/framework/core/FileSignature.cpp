#include "framework/core/FileSignature.h"

#include <QCryptographicHash>
#include <QFile>

#include <sys/stat.h>

namespace lw {

namespace {
QByteArray hashOf(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QCryptographicHash hash(QCryptographicHash::Sha256);
    hash.addData(&file);
    return hash.result();
}

// The regular file at path, if there is one.
bool statFile(const QString& path, struct stat* st) {
    return ::stat(QFile::encodeName(path).constData(), st) == 0 && S_ISREG(st->st_mode);
}

qint64 nanoseconds(const struct timespec& t) { return qint64(t.tv_sec) * 1000000000 + t.tv_nsec; }
} // namespace

CFileSignature CFileSignature::Take(const QString& path) {
    CFileSignature s;
    if (path.isEmpty())
        return s;
    s.valid = true;
    struct stat st {};
    s.exists = statFile(path, &st);
    if (!s.exists)
        return s;
    s.size = st.st_size;
    s.modifiedNs = nanoseconds(st.st_mtim);
    s.inode = st.st_ino;
    s.hash = hashOf(path);
    return s;
}

CFileSignature::Change CFileSignature::Compare(const QString& path) {
    if (!valid)
        return Same;
    struct stat st {};
    if (!statFile(path, &st))
        return exists ? Deleted : Same;
    if (!exists || st.st_size != size)
        return Changed;
    if (nanoseconds(st.st_mtim) == modifiedNs && st.st_ino == inode)
        return Same;
    if (hashOf(path) != hash)
        return Changed;
    modifiedNs = nanoseconds(st.st_mtim);
    inode = st.st_ino;
    return Same;
}

} // namespace lw
