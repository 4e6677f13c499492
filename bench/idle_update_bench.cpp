// One idle update of every bar of the main frame: each toolbar button and control asks
// the command route for its state, and the status bar reads the lock keys. Measured on a
// bare frame and with a real page open in the editing view, where most buttons ask the
// engine. Budget: 200 microseconds a pass with a document open.

#include "BenchProgram.h"
#include "framework/ui/WinAppEx.h"
#include "resources/CommandIds.h"

#include <QFile>
#include <benchmark/benchmark.h>

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
    lwbench::Program program;
    lw::CLoomwriteDoc* doc = program.Start() ? program.OpenEditable(g_page) : nullptr;
    if (!doc) {
        state.SkipWithError("the page did not become editable");
        return;
    }
    // The caret in the page, as while a person types: the engine reports its state.
    lwbench::ViewOf(doc)->FocusEngineWindow();
    for (int i = 0; i < 20; ++i)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    lw::CMainFrame* frame = program.Frame();
    for (auto _ : state)
        frame->OnIdleUpdateCmdUI();
}
BENCHMARK(IdleUpdateOfAllBarsWithAPageOpen)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv) {
    return lwbench::RunBenchmarks(argc, argv, [](const QTemporaryDir& home) {
        g_page = home.filePath(QStringLiteral("bench.html"));
        QByteArray body;
        for (int i = 0; i < 200; ++i)
            body += "<p>Paragraph <b>" + QByteArray::number(i) + "</b> of a page being edited.</p>\n";
        return lwbench::WritePage(g_page, "Bench", body);
    });
}
