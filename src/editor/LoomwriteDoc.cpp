#include "editor/LoomwriteDoc.h"

namespace lw {

BOOL CLoomwriteDoc::OnNewDocument() { return CHtmlEditDoc::OnNewDocument(); }

} // namespace lw
