#include "editor/EngineFactory.h"

#include "engine/chromium/ChromiumEngine.h"

namespace lw {

namespace {
HtmlEngineFactory& factory() {
    static HtmlEngineFactory f = [](QWidget* parent) { return createChromiumEngine(parent); };
    return f;
}
} // namespace

void SetHtmlEngineFactory(HtmlEngineFactory f) { factory() = std::move(f); }
const HtmlEngineFactory& GetHtmlEngineFactory() { return factory(); }

} // namespace lw
