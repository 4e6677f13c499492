#pragma once
// One real engine in a shown window, with what it reported, and the few page operations the
// engine tests need: writing a page to disk, loading it editable, selecting, typing, saving.

#include "engine/chromium/ChromiumEngine.h"
#include "engine/chromium/PageCall.h"
#include "support/TestEnvironment.h"

#include <QBuffer>
#include <QEventLoop>
#include <QFile>
#include <QKeyEvent>
#include <QList>
#include <QStringList>
#include <QTest>
#include <QTimer>
#include <QUrl>
#include <QVBoxLayout>
#include <QWidget>

#include "support/WaitFor.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>

#include <ostream>

// Readable failure messages for the values engine tests compare.
inline void PrintTo(const QString& text, std::ostream* os) {
    *os << '"' << text.toStdString() << '"';
}

inline void PrintTo(const QStringList& list, std::ostream* os) {
    *os << '[' << list.join(QStringLiteral(", ")).toStdString() << ']';
}

namespace lw {
inline void PrintTo(const Variant& value, std::ostream* os) {
    *os << "Variant(type " << value.type();
    switch (value.type()) {
    case VT_I2:
    case VT_I4:
        *os << ", " << value.i4() << value.i2();
        break;
    case VT_BSTR:
        *os << ", \"" << value.bstr().toStdString() << '"';
        break;
    case VT_BOOL:
        *os << ", " << value.toBool();
        break;
    default:
        if (value.isArray())
            *os << ", [" << value.stringArray().join(QStringLiteral(", ")).toStdString() << ']';
        break;
    }
    *os << ')';
}
} // namespace lw

namespace lwtest {

class EngineHarness {
public:
    EngineHarness() {
        host.resize(800, 600);
        auto* layout = new QVBoxLayout(&host);
        layout->setContentsMargins(0, 0, 0, 0);
        engine = std::make_unique<lw::ChromiumEngine>(&host);
        layout->addWidget(engine->widget());
        QObject::connect(engine.get(), &lw::IHtmlEngine::documentComplete,
                         [this](const QString& url) { completions << url; });
        QObject::connect(
            engine.get(), &lw::IHtmlEngine::beforeNavigate, engine.get(),
            [this](const QUrl& url, bool* cancel) {
                navigations << url;
                *cancel = cancelNavigation && cancelNavigation(url);
            },
            Qt::DirectConnection);
        QObject::connect(engine.get(), &lw::IHtmlEngine::uiUpdate, [this] { ++snapshots; });
        host.show();
        host.activateWindow();
    }

    ~EngineHarness() { engine.reset(); }

    QString writePage(const QString& name, const QByteArray& bytes) {
        const QString path = scratch.file(name);
        QFile file(path);
        if (file.open(QIODevice::WriteOnly))
            file.write(bytes);
        return path;
    }

    // Loads a page and switches it into design mode, as an editing view does.
    bool loadEditable(const QString& path) {
        return becomeEditable([&] { engine->navigate(path); });
    }

    // The same for a page made from markup.
    bool loadSourceEditable(const QString& text, qsizetype caretOffset, bool changed) {
        return becomeEditable([&] { EXPECT_EQ(engine->loadSource(text, caretOffset, changed), lw::S_OK); });
    }

    bool becomeEditable(const std::function<void()>& load) {
        const qsizetype before = completions.size();
        load();
        if (!waitFor([&] { return completions.size() > before; }, kWaitMs))
            return false;
        engine->setDesignMode(true);
        return waitFor([&] { return completions.size() > before + 1 && engine->snapshot().designMode; },
                       kWaitMs);
    }

    QVariant run(const QString& script) {
        return lw::runScriptAndWait(*engine->page(), script, kWaitMs).value_or(QVariant());
    }

    // Selects the contents of the first element matching selector and waits for the page to
    // report a snapshot taken with that selection.
    void select(const QString& selector) {
        run(QStringLiteral(
                "(() => { const r = document.createRange();"
                " r.selectNodeContents(document.querySelector(%1));"
                " const s = document.getSelection(); s.removeAllRanges(); s.addRange(r); return 1; })()")
                .arg(lw::scriptLiteral(selector)));
        settle();
    }

    // Waits until the page has answered everything sent before and its newest snapshot is in.
    void settle() {
        const int before = snapshots;
        run(QStringLiteral("window.__lwEditor.exec(-1, null)"));
        EXPECT_TRUE(waitFor([&] { return snapshots > before; }, kWaitMs)) << "the page stopped answering";
    }

    void placeCaretAtEndOf(const QString& selector) {
        run(QStringLiteral(
                "(() => { const r = document.createRange();"
                " r.selectNodeContents(document.querySelector(%1)); r.collapse(false);"
                " const s = document.getSelection(); s.removeAllRanges(); s.addRange(r); return 1; })()")
                .arg(lw::scriptLiteral(selector)));
        engine->focus();
        settle();
    }

    void type(const QString& text) { QTest::keyClicks(engine->focusWindow(), text); }

    // Selects characters start to end of the first text node inside the first element
    // matching selector.
    void selectText(const QString& selector, int start, int end) {
        run(QStringLiteral(
                "(() => { const e = document.querySelector(%1);"
                " const t = document.createTreeWalker(e, NodeFilter.SHOW_TEXT).nextNode();"
                " const r = document.createRange(); r.setStart(t, %2); r.setEnd(t, %3);"
                " const s = document.getSelection(); s.removeAllRanges(); s.addRange(r); return 1; })()")
                .arg(lw::scriptLiteral(selector))
                .arg(start)
                .arg(end));
        settle();
    }

    quint32 flags(quint32 cmd) {
        quint32 result = 0;
        engine->queryStatus(cmd, result);
        return result;
    }

    lw::Variant value(quint32 cmd) {
        lw::Variant result;
        const lw::HRESULT hr = engine->exec(cmd, nullptr, &result);
        EXPECT_EQ(hr, lw::S_OK) << "reading the value of " << cmd;
        return result;
    }

    // Runs a command and waits until the page has carried it out and reported.
    lw::HRESULT exec(quint32 cmd, const lw::Variant& in = lw::Variant()) {
        const lw::HRESULT hr = engine->exec(cmd, in.isEmpty() ? nullptr : &in, nullptr);
        settle();
        return hr;
    }

    QString html(const QString& selector = QStringLiteral("body")) {
        return run(QStringLiteral("document.querySelector(%1).innerHTML").arg(lw::scriptLiteral(selector)))
            .toString();
    }

    int count(const QString& selector) {
        return run(QStringLiteral("document.querySelectorAll(%1).length").arg(lw::scriptLiteral(selector)))
            .toInt();
    }

    QString bodyText() { return run(QStringLiteral("document.body.textContent")).toString(); }

    QByteArray save(lw::HRESULT* hr = nullptr) {
        QBuffer buffer;
        buffer.open(QIODevice::WriteOnly);
        const lw::HRESULT result = engine->save(buffer);
        if (hr)
            *hr = result;
        return buffer.data();
    }

    ScratchDir scratch;
    QWidget host;
    std::unique_ptr<lw::ChromiumEngine> engine;
    QStringList completions;
    QList<QUrl> navigations;
    std::function<bool(const QUrl&)> cancelNavigation;
    int snapshots = 0;
};

} // namespace lwtest
