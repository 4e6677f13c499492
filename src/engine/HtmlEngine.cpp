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

HRESULT IHtmlEngine::sourceText(PageSourceText&) { return E_NOTIMPL; }

QByteArray IHtmlEngine::encodeSource(const QString& text, QString* encoding) const {
    if (encoding)
        *encoding = QStringLiteral("UTF-8");
    return text.toUtf8();
}

HRESULT IHtmlEngine::loadSource(const QString&, qsizetype, bool) { return E_NOTIMPL; }

} // namespace lw
