#pragma once
// Result codes, variant values and command status flags through which the program talks
// to the HTML engine. The numbers are the ones the program's tables and helpers use, so
// they stay comparable with stored and documented values.

#include <QString>
#include <QStringList>

#include <cstdint>
#include <variant>

namespace lw {

using HRESULT = std::int32_t;

constexpr HRESULT makeHresult(std::uint32_t code) {
    return static_cast<HRESULT>(code);
}

inline constexpr HRESULT S_OK = 0;
inline constexpr HRESULT S_FALSE = 1;
inline constexpr HRESULT E_FAIL = makeHresult(0x80004005u);
inline constexpr HRESULT E_NOTIMPL = makeHresult(0x80004001u);
inline constexpr HRESULT E_NOINTERFACE = makeHresult(0x80004002u);
inline constexpr HRESULT E_UNEXPECTED = makeHresult(0x8000FFFFu);
inline constexpr HRESULT E_OUTOFMEMORY = makeHresult(0x8007000Eu);
inline constexpr HRESULT E_INVALIDARG = makeHresult(0x80070057u);
// A wait for the page ran out before the page answered.
inline constexpr HRESULT E_TIMEOUT = makeHresult(0x800705B4u);
// The engine's answers for a command it does not know, or knows but cannot run now.
inline constexpr HRESULT OLECMDERR_E_NOTSUPPORTED = makeHresult(0x80040100u);
inline constexpr HRESULT OLECMDERR_E_DISABLED = makeHresult(0x80040101u);
// A command that needs the user's answer, when the user cancels or the engine may not ask.
inline constexpr HRESULT OLECMDERR_E_CANCELED = makeHresult(0x80040103u);

constexpr bool SUCCEEDED(HRESULT hr) {
    return hr >= 0;
}
constexpr bool FAILED(HRESULT hr) {
    return hr < 0;
}

// Why a save of an edited page cannot write back the bytes the page was loaded from beyond
// what the user changed: the page is written anew, whole or in another encoding.
struct SourceLoss {
    enum class Kind {
        None,
        // Bytes that are not valid in the page's encoding (read as replacement characters).
        InvalidBytes,
        // NUL bytes, which the engine drops or replaces when it reads the page.
        NulBytes,
        // An encoding the engine does not write (UTF-16, or one it does not know): UTF-8 instead.
        UnwritableEncoding,
        // Too large for its markup to be matched to the page.
        TooLarge,
        // Markup the engine reads otherwise than its bytes say.
        Unmatched,
        // Typed characters the page's encoding cannot hold: the page is written as UTF-8.
        CharactersOutsideEncoding,
        // No declared encoding and characters beyond ASCII: written as UTF-8 with a declaration.
        UndeclaredEncoding,
    };
    Kind kind = Kind::None;
    // The encoding the page was read with, as the engine names it.
    QString encoding;

    explicit operator bool() const { return kind != Kind::None; }
    bool operator==(const SourceLoss&) const = default;
};

using VARTYPE = std::uint16_t;

inline constexpr VARTYPE VT_EMPTY = 0;
inline constexpr VARTYPE VT_NULL = 1;
inline constexpr VARTYPE VT_I2 = 2;
inline constexpr VARTYPE VT_I4 = 3;
inline constexpr VARTYPE VT_BSTR = 8;
inline constexpr VARTYPE VT_ERROR = 10;
inline constexpr VARTYPE VT_BOOL = 11;
inline constexpr VARTYPE VT_ARRAY = 0x2000;

using VARIANT_BOOL = std::int16_t;
inline constexpr VARIANT_BOOL VARIANT_TRUE = -1;
inline constexpr VARIANT_BOOL VARIANT_FALSE = 0;

// Status flags of one engine command.
inline constexpr std::uint32_t OLECMDF_SUPPORTED = 1;
inline constexpr std::uint32_t OLECMDF_ENABLED = 2;
inline constexpr std::uint32_t OLECMDF_LATCHED = 4;
inline constexpr std::uint32_t OLECMDF_NINCHED = 8;

// One value passed to or from an engine command: empty, null, a 16- or 32-bit integer, a
// string, a result code, a boolean (-1 or 0) or an array of strings. Reading a value as a
// type it does not hold gives that type's zero value.
class Variant {
public:
    Variant() = default;

    static Variant null();
    static Variant fromI2(std::int16_t value);
    static Variant fromI4(std::int32_t value);
    static Variant fromString(const QString& value);
    static Variant fromError(HRESULT code);
    static Variant fromBool(bool value);
    // An array of strings whose first element has the index lowerBound.
    static Variant fromStringArray(const QStringList& value, std::int32_t lowerBound = 0);

    VARTYPE type() const { return m_type; }
    bool isEmpty() const { return m_type == VT_EMPTY; }
    bool isNull() const { return m_type == VT_NULL; }
    bool isArray() const { return (m_type & VT_ARRAY) != 0; }

    std::int16_t i2() const;
    std::int32_t i4() const;
    QString bstr() const;
    HRESULT error() const;
    // VARIANT_TRUE or VARIANT_FALSE.
    VARIANT_BOOL boolValue() const;
    bool toBool() const { return boolValue() != VARIANT_FALSE; }
    QStringList stringArray() const;
    std::int32_t arrayLowerBound() const { return isArray() ? m_lowerBound : 0; }
    std::int32_t arrayUpperBound() const;

    // Back to VT_EMPTY, releasing what the value held.
    void clear();

    bool operator==(const Variant& other) const = default;

private:
    using Payload = std::variant<std::monostate, std::int32_t, QString, QStringList>;

    Variant(VARTYPE type, Payload payload) : m_type(type), m_payload(std::move(payload)) {}

    VARTYPE m_type = VT_EMPTY;
    Payload m_payload;
    std::int32_t m_lowerBound = 0;
};

} // namespace lw
