#pragma once
// What a file on disk looked like when a document last read or wrote it: whether it
// existed, its size, its modification time and a hash of its bytes. Comparing a later
// look with it tells an outside change from a mere touch.

#include <QByteArray>
#include <QString>

namespace lw {

struct CFileSignature {
    enum Change { Same, Changed, Deleted };

    bool valid = false;
    bool exists = false;
    qint64 size = -1;
    // Modification time in nanoseconds and the file's inode: a write within the same
    // millisecond, or a file replaced by renaming another over it, still shows.
    qint64 modifiedNs = 0;
    quint64 inode = 0;
    QByteArray hash;

    static CFileSignature Take(const QString& path);
    // How the file now differs from this signature. A file whose time moved but whose
    // bytes did not is the same; the signature then takes the new time, so the bytes are
    // not read again at the next look.
    Change Compare(const QString& path);
    bool operator==(const CFileSignature& other) const {
        return valid == other.valid && exists == other.exists && size == other.size && hash == other.hash;
    }
};

} // namespace lw
