#pragma once
// Places in a page's markup found by element paths (the index of each element among its
// parent's elements, from the document down), the way the page script describes where the
// user is: the same HTML5 parsing gives the same elements in both.

#include <QList>
#include <QString>

namespace lw {

struct SourceRange {
    qsizetype start = -1;
    qsizetype end = -1;
};

// Where the deepest element the path still reaches lies in text (UTF-16 offsets), from the
// start of its start tag to the end of its end tag; {-1, -1} when nothing has a place.
SourceRange sourceRangeOfPath(const QString& text, const QList<int>& path);
// Where the content of that element starts (after its start tag).
qsizetype sourceContentStartOfPath(const QString& text, const QList<int>& path);
// The path of the deepest element whose markup holds offset.
QList<int> sourcePathAt(const QString& text, qsizetype offset);

} // namespace lw
