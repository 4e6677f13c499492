#include "framework/core/OpenPath.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <cstdlib>

namespace lw {

namespace {

// realpath(3) itself: QFileInfo::canonicalFilePath hands back the path unresolved and
// uncleaned when realpath fails for any reason but a missing file (a name too long, a folder
// that cannot be searched, a link loop).
QString realPath(const QString& absolute) {
    const QByteArray native = QFile::encodeName(absolute);
    char* resolved = ::realpath(native.constData(), nullptr);
    if (!resolved)
        return {};
    const QString result = QFile::decodeName(resolved);
    std::free(resolved);
    return result;
}

// The canonical form of an absolute path: every symbolic link resolved when the file exists;
// otherwise its folder resolved and the last name kept, so a dangling link or a file still to
// be created keeps its own name.
QString canonicalForm(const QString& absolute) {
    const QString canonical = realPath(absolute);
    if (!canonical.isEmpty())
        return canonical;
    const QString cleaned = QDir::cleanPath(absolute);
    const QFileInfo cleanedInfo(cleaned);
    const QString folder = realPath(cleanedInfo.path());
    if (folder.isEmpty() || cleanedInfo.fileName().isEmpty())
        return cleaned;
    return folder == u"/" ? folder + cleanedInfo.fileName() : folder + u'/' + cleanedInfo.fileName();
}

QString makeAbsolute(const QString& path) {
    if (path.isEmpty() || path.contains(QChar(0)))
        return {};
    // Qt counts ":name" as an absolute resource path; here it is a relative file name.
    if (path.startsWith(u'/'))
        return path;
    // Qt answers an empty current path when the working folder has been removed.
    const QString current = QDir::currentPath();
    if (!current.startsWith(u'/'))
        return {};
    return current + u'/' + path;
}

} // namespace

QString NormaliseOpenPath(const QString& raw) {
    QString path = raw;
    if (path.startsWith(u'"')) {
        path.remove(0, 1);
        const qsizetype closing = path.indexOf(u'"');
        if (closing >= 0)
            path.truncate(closing);
    }
    const QString absolute = makeAbsolute(path);
    if (absolute.isEmpty())
        return {};
    return canonicalForm(absolute);
}

bool SamePath(const QString& a, const QString& b) {
    const QString first = makeAbsolute(a);
    const QString second = makeAbsolute(b);
    if (first.isEmpty() || second.isEmpty())
        return false;
    return first == second || canonicalForm(first) == canonicalForm(second);
}

} // namespace lw
