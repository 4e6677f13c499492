// One idle update of every bar of the main frame: each toolbar button and control asks
// the command route for its state, and the status bar reads the lock keys. Measured on a
// bare frame and with a real page open in the editing view, where most buttons ask the
// engine. Budget: 200 microseconds a pass with a document open.

#include "app/LoomwriteApp.h"
#include "editor/LoomwriteDoc.h"
#include "editor/LoomwriteView.h"
#include "frame/MainFrame.h"
#include "framework/ui/WinAppEx.h"
#include "resources/CommandIds.h"
#include "resources/ProgramImages.h"
#include "resources/ProgramResources.h"

#include <QApplication>
#include <QDeadlineTimer>
#include <QFile>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <cstdlib>

namespace {

QString g_page;

void IdleUpdateOfAllBarsWithoutADocument(benchmark::State& state) {
    lw::CWinAppEx app;
    app.SetRegistryKey(QStringLiteral("Tarn"));
    auto* frame = new lw::CMainFrame;
    if (!frame->LoadFrame(lw::IDR_MAINFRAME, nullptr, nullptr)) {
        state.SkipWithError("the main frame could not be created");
        return;
    }
    app.m_pMainWnd = frame;
    frame->ActivateFrame(lw::SW_SHOWNORMAL);
    QCoreApplication::processEvents();
    for (auto _ : state)
        frame->OnIdleUpdateCmdUI();
    frame->DestroyWindow();
    app.DelRegTree();
}
BENCHMARK(IdleUpdateOfAllBarsWithoutADocument)->Unit(benchmark::kMicrosecond);

void IdleUpdateOfAllBarsWithAPageOpen(benchmark::State& state) {
    lw::CLoomwriteApp app;
    // Started as the desktop would start it for a file: no untitled document of its own.
    app.m_arguments = {QStringLiteral("/dde")};
    app.m_bArgumentsSet = true;
    if (!app.InitInstance()) {
        state.SkipWithError("the program did not start");
        return;
    }
    auto* doc = dynamic_cast<lw::CLoomwriteDoc*>(app.OpenDocumentFile(g_page));
    auto* view = doc ? dynamic_cast<lw::CLoomwriteView*>(doc->Views().front()) : nullptr;
    QDeadlineTimer deadline(30000);
    while (view && view->m_documentCompleteCount < 2 && !deadline.hasExpired())
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
    if (!view || view->m_documentCompleteCount < 2) {
        state.SkipWithError("the page did not become editable");
    } else {
        // The caret in the page, as while a person types: the engine reports its state.
        view->FocusEngineWindow();
        for (int i = 0; i < 20; ++i)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        auto* frame = dynamic_cast<lw::CMainFrame*>(app.m_pMainWnd);
        for (auto _ : state)
            frame->OnIdleUpdateCmdUI();
    }
    app.CloseAllDocuments(lw::FALSE);
    if (app.m_pMainWnd)
        app.m_pMainWnd->DestroyWindow();
    app.DelRegTree();
}
BENCHMARK(IdleUpdateOfAllBarsWithAPageOpen)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv) {
    // Private settings: a benchmark never touches the user's own.
    QTemporaryDir home;
    ::setenv("XDG_CONFIG_HOME", home.path().toLocal8Bit().constData(), 1);
    ::setenv("QT_QPA_PLATFORM", "offscreen", 0);
    ::setenv("QTWEBENGINE_DISABLE_SANDBOX", "1", 0);
    ::setenv("QTWEBENGINE_CHROMIUM_FLAGS", "--disable-gpu --no-sandbox", 0);
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QApplication qapp(argc, argv);
    lw::RegisterProgramResources();
    lw::RegisterProgramImages();
    g_page = home.filePath(QStringLiteral("bench.html"));
    QFile page(g_page);
    if (!page.open(QIODevice::WriteOnly))
        return 1;
    QByteArray body;
    for (int i = 0; i < 200; ++i)
        body += "<p>Paragraph <b>" + QByteArray::number(i) + "</b> of a page being edited.</p>\n";
    page.write("<!DOCTYPE html>\n<html><head><meta charset=\"utf-8\"><title>Bench</title></head><body>\n" +
               body + "</body></html>\n");
    page.close();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
