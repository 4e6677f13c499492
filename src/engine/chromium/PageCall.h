#pragma once
// Runs a script in the editing world of a page and waits for its result. The wait is
// bounded and handles no user input, so nothing the user does can act on the page (or close
// it) while the host waits.

#include <QJsonValue>
#include <QString>
#include <QVariant>
#include <QWebEngineScript>

#include <optional>

class QWebEnginePage;

namespace lw {

inline constexpr quint32 kEditingWorld = QWebEngineScript::ApplicationWorld;

// The script's result, or nothing when the page did not answer within timeoutMs or went away;
// timedOut, when given, tells the first from the second.
std::optional<QVariant> runScriptAndWait(QWebEnginePage& page, const QString& script, int timeoutMs,
                                         bool* timedOut = nullptr);

// A value as a JavaScript literal, for a script that hands it to the page.
QString scriptLiteral(const QJsonValue& value);

} // namespace lw
