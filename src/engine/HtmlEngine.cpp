#include "engine/HtmlEngine.h"

#include "engine/EngineDialogs.h"

namespace lw {

void IHtmlEngine::setDialogProvider(std::shared_ptr<EngineDialogProvider> provider) {
    m_dialogs = std::move(provider);
}

EngineDialogProvider& IHtmlEngine::dialogProvider() const {
    // Made on first use: an engine that never asks needs no dialogs.
    if (!m_dialogs)
        m_dialogs = createStandardDialogs();
    return *m_dialogs;
}

} // namespace lw
