#pragma once
// The state the editing script last reported for its page: per engine command number the
// status flags and, for commands that carry one, the value of the selection; and how far the
// page has changed. Status queries and value reads are answered from it.

#include "engine/EngineTypes.h"

#include <QHash>
#include <QJsonObject>
#include <QString>

namespace lw {

struct EngineSnapshot {
    // Changes with every page the script is started in (and with a re-initialised page).
    QString documentId;
    // How many changes the page has seen since it was loaded; never goes down for one page.
    quint64 changeCount = 0;
    bool designMode = false;
    QHash<quint32, quint32> flags;
    QHash<quint32, Variant> values;
    // The editing options as the page applies them, by engine command number.
    QHash<quint32, bool> options;
    // What the engine's dialogs start from: "link" (the address of the link the selection is
    // in), "image" {source, alt} and "object" {data, type} of a selected element.
    QJsonObject context;
    // Time the page spent computing this snapshot.
    double costMs = 0;

    // Reads the object the script sends; unknown fields are ignored, malformed entries dropped.
    static EngineSnapshot fromJson(const QJsonObject& json);
};

// A page-side value as a variant: null → VT_NULL, string → VT_BSTR, integer → VT_I4,
// boolean → VT_BOOL, array → an array of strings.
Variant variantFromJson(const QJsonValue& value);
// The argument of a command as the script takes it; E_INVALIDARG in error for a variant that
// has no page-side form.
QJsonValue variantToJson(const Variant& value, HRESULT& error);

} // namespace lw
