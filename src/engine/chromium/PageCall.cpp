#include "engine/chromium/PageCall.h"

#include <QEventLoop>
#include <QJsonArray>
#include <QJsonDocument>
#include <QPointer>
#include <QTimer>
#include <QWebEnginePage>

#include <memory>

namespace lw {

std::optional<QVariant> runScriptAndWait(QWebEnginePage& page, const QString& script, int timeoutMs,
                                         bool* timedOut) {
    struct Answer {
        bool arrived = false;
        QVariant value;
        QEventLoop* loop = nullptr;
    };
    // The callback can outlive this call when the wait times out; it must not touch the stack.
    auto answer = std::make_shared<Answer>();
    QEventLoop loop;
    answer->loop = &loop;
    page.runJavaScript(script, kEditingWorld, [answer](const QVariant& value) {
        answer->arrived = true;
        answer->value = value;
        if (answer->loop)
            answer->loop->quit();
    });
    if (timedOut)
        *timedOut = false;
    if (!answer->arrived) {
        QTimer timeout;
        timeout.setSingleShot(true);
        QObject::connect(&timeout, &QTimer::timeout, &loop, [&] {
            if (timedOut)
                *timedOut = true;
            loop.quit();
        });
        QObject::connect(&page, &QObject::destroyed, &loop, &QEventLoop::quit);
        timeout.start(timeoutMs);
        loop.exec(QEventLoop::ExcludeUserInputEvents);
    }
    answer->loop = nullptr;
    if (!answer->arrived)
        return std::nullopt;
    return answer->value;
}

QString scriptLiteral(const QJsonValue& value) {
    // JSON is a subset of JavaScript; a value is written inside an array and taken out.
    const QByteArray wrapped = QJsonDocument(QJsonArray{value}).toJson(QJsonDocument::Compact);
    return QString::fromUtf8(wrapped.mid(1, wrapped.size() - 2));
}

} // namespace lw
