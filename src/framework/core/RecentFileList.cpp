#include "framework/core/RecentFileList.h"

#include "framework/core/OpenPath.h"

#include <QDir>
#include <QFileInfo>

namespace lw {

CRecentFileList::CRecentFileList(UINT firstCommandId, int size, int maxDisplayLength)
    : m_firstCommandId(firstCommandId), m_size(qMax(0, size)), m_maxDisplayLength(maxDisplayLength) {}

QString CRecentFileList::operator[](int index) const {
    return index >= 0 && index < m_names.size() ? m_names[index] : QString();
}

void CRecentFileList::Add(const QString& path) {
    if (path.isEmpty() || m_size == 0)
        return;
    const QString full = path.startsWith(u'/') ? path : QFileInfo(path).absoluteFilePath();
    for (qsizetype i = 0; i < m_names.size(); ++i) {
        if (SamePath(m_names[i], full)) {
            m_names.removeAt(i);
            break;
        }
    }
    m_names.prepend(full);
    while (m_names.size() > m_size)
        m_names.removeLast();
}

void CRecentFileList::Remove(int index) {
    if (index >= 0 && index < m_names.size())
        m_names.removeAt(index);
}

void CRecentFileList::ReadList(const QStringList& storedFile1ToFileN) {
    m_names.clear();
    const qsizetype n = qMin<qsizetype>(storedFile1ToFileN.size(), m_size);
    for (qsizetype i = 0; i < n; ++i) {
        const QString& name = storedFile1ToFileN[i];
        if (name.isEmpty())
            continue;
        bool repeated = false;
        for (const QString& earlier : std::as_const(m_names))
            repeated = repeated || SamePath(earlier, name);
        if (!repeated)
            m_names.append(name);
    }
}

QStringList CRecentFileList::WriteList() const {
    return m_names;
}

int CRecentFileList::IndexOfCommand(UINT id) const {
    if (id < m_firstCommandId)
        return -1;
    const UINT offset = id - m_firstCommandId;
    return offset < UINT(m_names.size()) ? int(offset) : -1;
}

QString CRecentFileList::MenuText(int index, const QString& currentFolder) const {
    if (index < 0 || index >= m_names.size())
        return {};
    const int number = index + 1;
    QString text;
    if (number < 10)
        text = QStringLiteral("&%1 ").arg(number);
    else if (number == 10)
        text = QStringLiteral("1&0 ");
    else
        text = QStringLiteral("%1 ").arg(number); // no single-key mnemonic is left

    const QString& path = m_names[index];
    const QFileInfo info(path);
    QString display;
    if (!currentFolder.isEmpty() && QDir::cleanPath(info.path()) == QDir::cleanPath(currentFolder))
        display = info.fileName();
    else
        display = AbbreviateName(path, m_maxDisplayLength, true);
    // A single '&' would underline the next letter instead of showing itself.
    display.replace(u'&', QStringLiteral("&&"));
    return text + display;
}

QString CRecentFileList::AbbreviateName(const QString& path, int maxLength, bool atLeastName) {
    if (path.size() <= maxLength)
        return path;
    const qsizetype lastSlash = path.lastIndexOf(u'/');
    const QString name = lastSlash < 0 ? path : path.mid(lastSlash + 1);
    if (name.size() > maxLength)
        return atLeastName ? name : QString();
    if (lastSlash > 0) {
        const qsizetype rootLength = path.startsWith(u'/') ? 1 : 0;
        const QString prefix = path.left(rootLength) + QStringLiteral("...");
        // Each slash after the first folder starts a shorter tail: drop leading folders one by
        // one until root + "..." + tail fits; the last tail is "/name".
        for (qsizetype slash = path.indexOf(u'/', rootLength); slash >= 0 && slash <= lastSlash;
             slash = path.indexOf(u'/', slash + 1)) {
            if (prefix.size() + (path.size() - slash) <= maxLength)
                return prefix + path.mid(slash);
        }
    }
    return name;
}

} // namespace lw
