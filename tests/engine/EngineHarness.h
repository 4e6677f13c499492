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
        const qsizetype before = completions.size();
        engine->navigate(path);
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
                " r.selectNodeContents(document.querySelector('%1'));"
                " const s = document.getSelection(); s.removeAllRanges(); s.addRange(r); return 1; })()")
                .arg(selector));
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
                " r.selectNodeContents(document.querySelector('%1')); r.collapse(false);"
                " const s = document.getSelection(); s.removeAllRanges(); s.addRange(r); return 1; })()")
                .arg(selector));
        engine->focus();
        settle();
    }

    void type(const QString& text) { QTest::keyClicks(engine->focusWindow(), text); }

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
