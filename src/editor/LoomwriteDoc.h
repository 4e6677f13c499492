#pragma once
// The program's HTML document.

#include "editor/HtmlEditDoc.h"

namespace lw {

class CLoomwriteDoc : public CHtmlEditDoc {
public:
    BOOL OnNewDocument() override;
};

} // namespace lw
