#include "editor/EngineFactory.h"

#include "engine/chromium/ChromiumEngine.h"

namespace lw {

namespace {
HtmlEngineFactory& factory() {
    static HtmlEngineFactory f = GetDefaultHtmlEngineFactory();
    return f;
}
} // namespace

const HtmlEngineFactory& GetDefaultHtmlEngineFactory() {
    static const HtmlEngineFactory chromium = [](QWidget* parent) { return createChromiumEngine(parent); };
    return chromium;
}

void SetHtmlEngineFactory(HtmlEngineFactory f) { factory() = std::move(f); }
const HtmlEngineFactory& GetHtmlEngineFactory() { return factory(); }

} // namespace lw
