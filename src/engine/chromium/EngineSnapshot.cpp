#include "engine/chromium/EngineSnapshot.h"

#include <QJsonArray>

#include <cmath>
#include <limits>

namespace lw {

namespace {

bool commandNumber(const QString& key, quint32& number) {
    bool ok = false;
    number = key.toUInt(&ok);
    return ok;
}

} // namespace

Variant variantFromJson(const QJsonValue& value) {
    switch (value.type()) {
    case QJsonValue::Bool:
        return Variant::fromBool(value.toBool());
    case QJsonValue::Double: {
        const double number = value.toDouble();
        if (std::trunc(number) == number && number >= std::numeric_limits<std::int32_t>::min() &&
            number <= std::numeric_limits<std::int32_t>::max())
            return Variant::fromI4(static_cast<std::int32_t>(number));
        return Variant::null();
    }
    case QJsonValue::String:
        return Variant::fromString(value.toString());
    case QJsonValue::Array: {
        QStringList strings;
        for (const QJsonValue& element : value.toArray())
            strings << element.toString();
        return Variant::fromStringArray(strings);
    }
    default:
        return Variant::null();
    }
}

QJsonValue variantToJson(const Variant& value, HRESULT& error) {
    error = S_OK;
    switch (value.type()) {
    case VT_EMPTY:
    case VT_NULL:
        return QJsonValue(QJsonValue::Null);
    case VT_I2:
        return value.i2();
    case VT_I4:
        return value.i4();
    case VT_BSTR:
        return value.bstr();
    case VT_BOOL:
        return value.toBool();
    default:
        if (value.isArray())
            return QJsonArray::fromStringList(value.stringArray());
        error = E_INVALIDARG;
        return QJsonValue(QJsonValue::Null);
    }
}

EngineSnapshot EngineSnapshot::fromJson(const QJsonObject& json) {
    EngineSnapshot snapshot;
    snapshot.documentId = json.value(QStringLiteral("documentId")).toString();
    snapshot.changeCount =
        static_cast<quint64>(std::max(0.0, json.value(QStringLiteral("changeCount")).toDouble()));
    snapshot.designMode = json.value(QStringLiteral("designMode")).toBool();
    snapshot.costMs = json.value(QStringLiteral("costMs")).toDouble();
    const QJsonObject flags = json.value(QStringLiteral("flags")).toObject();
    for (auto it = flags.begin(); it != flags.end(); ++it) {
        quint32 number = 0;
        if (commandNumber(it.key(), number) && it.value().isDouble())
            snapshot.flags.insert(number, static_cast<quint32>(it.value().toInt()));
    }
    const QJsonObject values = json.value(QStringLiteral("values")).toObject();
    for (auto it = values.begin(); it != values.end(); ++it) {
        quint32 number = 0;
        if (commandNumber(it.key(), number))
            snapshot.values.insert(number, variantFromJson(it.value()));
    }
    const QJsonObject options = json.value(QStringLiteral("options")).toObject();
    for (auto it = options.begin(); it != options.end(); ++it) {
        quint32 number = 0;
        if (commandNumber(it.key(), number) && it.value().isBool())
            snapshot.options.insert(number, it.value().toBool());
    }
    snapshot.context = json.value(QStringLiteral("context")).toObject();
    return snapshot;
}

} // namespace lw
