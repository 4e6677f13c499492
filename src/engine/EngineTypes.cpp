#include "engine/EngineTypes.h"

namespace lw {

Variant Variant::null() {
    return Variant(VT_NULL, std::monostate{});
}

Variant Variant::fromI2(std::int16_t value) {
    return Variant(VT_I2, std::int32_t(value));
}

Variant Variant::fromI4(std::int32_t value) {
    return Variant(VT_I4, value);
}

Variant Variant::fromString(const QString& value) {
    return Variant(VT_BSTR, value);
}

Variant Variant::fromError(HRESULT code) {
    return Variant(VT_ERROR, std::int32_t(code));
}

Variant Variant::fromBool(bool value) {
    return Variant(VT_BOOL, std::int32_t(value ? VARIANT_TRUE : VARIANT_FALSE));
}

Variant Variant::fromStringArray(const QStringList& value, std::int32_t lowerBound) {
    Variant v(VT_ARRAY | VT_BSTR, value);
    v.m_lowerBound = lowerBound;
    return v;
}

std::int16_t Variant::i2() const {
    return m_type == VT_I2 ? static_cast<std::int16_t>(std::get<std::int32_t>(m_payload)) : 0;
}

std::int32_t Variant::i4() const {
    return m_type == VT_I4 ? std::get<std::int32_t>(m_payload) : 0;
}

QString Variant::bstr() const {
    return m_type == VT_BSTR ? std::get<QString>(m_payload) : QString();
}

HRESULT Variant::error() const {
    return m_type == VT_ERROR ? std::get<std::int32_t>(m_payload) : S_OK;
}

VARIANT_BOOL Variant::boolValue() const {
    return m_type == VT_BOOL ? static_cast<VARIANT_BOOL>(std::get<std::int32_t>(m_payload)) : VARIANT_FALSE;
}

QStringList Variant::stringArray() const {
    return isArray() ? std::get<QStringList>(m_payload) : QStringList();
}

std::int32_t Variant::arrayUpperBound() const {
    return arrayLowerBound() + static_cast<std::int32_t>(stringArray().size()) - 1;
}

void Variant::clear() {
    *this = Variant();
}

} // namespace lw
