#include "editor/EngineCommandHelpers.h"

#include "engine/HtmlEngine.h"

namespace lw {

namespace {
bool allOf(std::uint32_t status, std::uint32_t mask) { return (status & mask) == mask; }
// An engine without a page is one the helpers cannot reach.
IHtmlEngine* reachable(IHtmlEngine* engine) { return engine && engine->hasDocument() ? engine : nullptr; }
} // namespace

std::uint32_t CHtmlEditCtrlBase::QueryEngineStatus(std::uint32_t cmd) const {
    IHtmlEngine* engine = reachable(GetEngineForCommands());
    if (!engine)
        return 0;
    quint32 flags = 0;
    return engine->queryStatus(cmd, flags) == S_OK ? flags : 0;
}

HRESULT CHtmlEditCtrlBase::ExecEngineCommand(std::uint32_t cmd, std::uint32_t option, const Variant* in,
                                             Variant* out) const {
    return ExecEngineCommandInGroup(&CGID_MSHTML, cmd, option, in, out);
}

HRESULT CHtmlEditCtrlBase::ExecEngineCommandInGroup(const Guid* group, std::uint32_t cmd, std::uint32_t,
                                                    const Variant* in, Variant* out) const {
    IHtmlEngine* engine = reachable(GetEngineForCommands());
    if (!engine)
        return E_FAIL;
    // The engine knows one command group, its own.
    if (group && !(*group == CGID_MSHTML))
        return OLECMDERR_E_UNKNOWNGROUP;
    return engine->exec(cmd, in, out);
}

HRESULT CHtmlEditCtrlBase::GetEngineInt(std::uint32_t cmd, std::int32_t& value) const {
    const std::uint32_t status = QueryEngineStatus(cmd);
    value = 0;
    if (!(status & OLECMDF_SUPPORTED))
        return E_FAIL;
    Variant out;
    const HRESULT hr = ExecEngineCommand(cmd, OLECMDEXECOPT_DODEFAULT, nullptr, &out);
    if (hr != S_OK)
        return hr;
    switch (out.type()) {
    case VT_EMPTY:
    case VT_NULL:
        return S_OK;
    case VT_I2:
        value = out.i2(); // sign-extended: 0xFFFF reads as -1
        return S_OK;
    case VT_I4:
        value = out.i4();
        return S_OK;
    case VT_ERROR:
        return out.error();
    default:
        return E_UNEXPECTED;
    }
}

HRESULT CHtmlEditCtrlBase::SetEngineInt(std::uint32_t cmd, std::int32_t value) const {
    if (!allOf(QueryEngineStatus(cmd), OLECMDF_SUPPORTED | OLECMDF_ENABLED))
        return E_FAIL;
    const Variant in = Variant::fromI4(value);
    return ExecEngineCommand(cmd, OLECMDEXECOPT_DODEFAULT, &in, nullptr);
}

HRESULT CHtmlEditCtrlBase::SetEngineBool(std::uint32_t cmd, bool value, std::uint32_t required) const {
    // With no requirement the command is sent whatever the engine reports.
    if (!allOf(QueryEngineStatus(cmd), required))
        return E_FAIL;
    const Variant in = Variant::fromBool(value);
    return ExecEngineCommand(cmd, OLECMDEXECOPT_DODEFAULT, &in, nullptr);
}

HRESULT CHtmlEditCtrlBase::GetEngineString(std::uint32_t cmd, QString& text) const {
    text.clear();
    if (!allOf(QueryEngineStatus(cmd), OLECMDF_SUPPORTED | OLECMDF_ENABLED))
        return E_FAIL;
    Variant out;
    const HRESULT hr = ExecEngineCommand(cmd, OLECMDEXECOPT_DODEFAULT, nullptr, &out);
    if (hr != S_OK)
        return hr;
    switch (out.type()) {
    case VT_EMPTY:
    case VT_NULL:
        return S_OK;
    case VT_BSTR:
        text = out.bstr();
        return S_OK;
    case VT_ERROR:
        return out.error();
    default:
        return E_UNEXPECTED;
    }
}

HRESULT CHtmlEditCtrlBase::SetEngineString(std::uint32_t cmd, const QString* text) const {
    if (!allOf(QueryEngineStatus(cmd), OLECMDF_SUPPORTED | OLECMDF_ENABLED))
        return E_FAIL;
    if (!text)
        return ExecEngineCommand(cmd, OLECMDEXECOPT_DODEFAULT, nullptr, nullptr);
    const Variant in = Variant::fromString(*text);
    return ExecEngineCommand(cmd, OLECMDEXECOPT_DODEFAULT, &in, nullptr);
}

HRESULT CHtmlEditCtrlBase::GetBlockFormatList(QStringList& list) const {
    Variant out;
    auto fail = [&out] { return out.type() == VT_ERROR ? out.error() : E_FAIL; };
    if (!(QueryEngineStatus(IDM_BLOCKFMT_LIST) & (OLECMDF_ENABLED | OLECMDF_LATCHED)))
        return E_FAIL;
    if (ExecEngineCommand(IDM_BLOCKFMT_LIST, OLECMDEXECOPT_DODEFAULT, nullptr, &out) != S_OK)
        return fail();
    if (!out.isArray())
        return fail();
    const QStringList names = out.stringArray();
    const std::int32_t lower = out.arrayLowerBound();
    const std::int32_t upper = out.arrayUpperBound();
    // An upper bound below the lower one is an empty array.
    for (std::int64_t i = lower; i <= upper; ++i) {
        const qsizetype at = static_cast<qsizetype>(i - lower);
        if (at >= 0 && at < names.size())
            list.append(names[at]);
    }
    return S_OK;
}

} // namespace lw
