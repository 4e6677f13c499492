#pragma once
// Which engine new editing views host. The program uses the Chromium engine; tests
// install a scripted one.

#include "engine/HtmlEngine.h"

namespace lw {

void SetHtmlEngineFactory(HtmlEngineFactory factory);
// The factory in force (the Chromium engine unless another was set).
const HtmlEngineFactory& GetHtmlEngineFactory();
// The program's own engine (Chromium), whatever is in force.
const HtmlEngineFactory& GetDefaultHtmlEngineFactory();

} // namespace lw
