#pragma once
// The typed operations through which every engine command the editor sends passes:
// status queries, raw executes, and getters and setters for integers, booleans and
// strings, each with its fixed rule about the status a command needs first.

#include "engine/EngineTypes.h"

#include <QString>
#include <QStringList>
#include <array>
#include <cstdint>

namespace lw {

class IHtmlEngine;

struct Guid {
    std::uint32_t data1;
    std::uint16_t data2;
    std::uint16_t data3;
    std::array<std::uint8_t, 8> data4;
    bool operator==(const Guid&) const = default;
};

// The engine's own command group.
inline constexpr Guid CGID_MSHTML = {0xDE4BA900, 0x59CA, 0x11CF, {0x95, 0x92, 0x44, 0x45, 0x53, 0x54, 0x00, 0x00}};
inline constexpr HRESULT OLECMDERR_E_UNKNOWNGROUP = makeHresult(0x80040104u);
inline constexpr std::uint32_t OLECMDEXECOPT_DODEFAULT = 0;

// Engine command numbers the editor uses by name.
inline constexpr std::uint32_t IDM_FONTNAME = 18;
inline constexpr std::uint32_t IDM_FONTSIZE = 19;
inline constexpr std::uint32_t IDM_BACKCOLOR = 51;
inline constexpr std::uint32_t IDM_FORECOLOR = 55;
inline constexpr std::uint32_t IDM_BLOCKFMT_LIST = 2233;
inline constexpr std::uint32_t IDM_BLOCKFMT = 2234;
inline constexpr std::uint32_t IDM_ABSOLUTE_POSITION = 2397;
inline constexpr std::uint32_t IDM_AUTOURLDETECT_MODE = 2400;

class CHtmlEditCtrlBase {
public:
    virtual ~CHtmlEditCtrlBase() = default;

    // The engine the helpers talk to; nullptr while there is none.
    virtual IHtmlEngine* GetEngineForCommands() const = 0;

    std::uint32_t QueryEngineStatus(std::uint32_t cmd) const;
    HRESULT ExecEngineCommand(std::uint32_t cmd, std::uint32_t option, const Variant* in, Variant* out) const;
    HRESULT ExecEngineCommandInGroup(const Guid* group, std::uint32_t cmd, std::uint32_t option, const Variant* in,
                                     Variant* out) const;
    HRESULT GetEngineInt(std::uint32_t cmd, std::int32_t& value) const;
    HRESULT SetEngineInt(std::uint32_t cmd, std::int32_t value) const;
    HRESULT SetEngineBool(std::uint32_t cmd, bool value, std::uint32_t required) const;
    HRESULT GetEngineString(std::uint32_t cmd, QString& text) const;
    // A null text sends no input at all; an empty one sends an empty string.
    HRESULT SetEngineString(std::uint32_t cmd, const QString* text) const;
    HRESULT GetBlockFormatList(QStringList& list) const;
};

} // namespace lw
