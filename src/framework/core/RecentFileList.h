#pragma once
// The most-recently-used file list of the File menu: what it holds, how it is stored as
// File1..FileN, and the text each entry shows.

#include "framework/core/Resources.h"

#include <QString>
#include <QStringList>

namespace lw {

class CRecentFileList {
public:
    // Entry i is offered as command firstCommandId + i; menu names are shortened to
    // maxDisplayLength characters.
    CRecentFileList(UINT firstCommandId, int size, int maxDisplayLength);

    int GetSize() const { return m_size; }
    int count() const { return int(m_names.size()); }
    // Empty for an index outside the entries in use.
    QString operator[](int index) const;

    // Puts the file first; a path naming a file already in the list (SamePath) moves that
    // entry to the front with the new spelling. The oldest entry falls off a full list.
    // Relative paths are made absolute; an empty path is ignored.
    void Add(const QString& path);
    // Ignores an index outside the entries in use.
    void Remove(int index);

    // Replaces the list with stored values File1..FileN: only the first GetSize() are looked
    // at, and empty values and repeats of an earlier entry are skipped.
    void ReadList(const QStringList& storedFile1ToFileN);
    // The entries in order, to be stored as File1..FileN in a freshly replaced key.
    QStringList WriteList() const;

    UINT CommandId(int index) const { return m_firstCommandId + UINT(index); }
    // The entry a command opens, or -1 when the command names no entry in use.
    int IndexOfCommand(UINT id) const;

    // "&1 " .. "&9 ", "1&0 " then the shortened name with every '&' doubled. A file that lies
    // directly in currentFolder shows its name only. Empty for an index not in use.
    QString MenuText(int index, const QString& currentFolder = {}) const;

    // Shortens a path to at most maxLength characters, separators being "/": the whole path
    // when it fits; else the root, "..." and as many trailing folders as fit before the file
    // name, whole leading folders being dropped first; else the file name alone. A name longer
    // than maxLength is kept whole when atLeastName is set, and gives an empty text otherwise:
    // a name is never cut, since a cut name could pass for another file.
    static QString AbbreviateName(const QString& path, int maxLength, bool atLeastName);

private:
    UINT m_firstCommandId;
    int m_size;
    int m_maxDisplayLength;
    QStringList m_names;
};

} // namespace lw
