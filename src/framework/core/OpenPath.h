#pragma once
// How a path handed to the open-document operation becomes the path of a document, and
// when two paths name the same document.

#include <QString>

namespace lw {

// Strips surrounding double quotes (a leading quote, and everything from the next quote on),
// makes the path absolute against the current folder and resolves symbolic links. A path
// without a leading quote is taken whole, since a double quote is a legal file-name character
// here. Returns an empty string when there is nothing to open: an empty path, a path holding a
// NUL character, or a relative path while the current folder cannot be determined. Symbolic
// links are resolved where they can be; a dangling link stays as the link's own path. Paths
// are never shortened.
QString NormaliseOpenPath(const QString& raw);

// Whether two paths name the same file, compared in their canonical form with case counting.
// An empty path never matches anything.
bool SamePath(const QString& a, const QString& b);

} // namespace lw
