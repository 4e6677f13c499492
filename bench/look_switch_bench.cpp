// Switching the application look with five documents open: a new visual manager, the
// docking mode, the tab colours and the whole window drawn again before the call returns.
// Budget: under 150 ms a switch (the median of the repetitions). Beside it, one idle
// update of every bar in each look, whose budget is 200 microseconds a pass.

#include "BenchProgram.h"
#include "resources/CommandIds.h"

#include <QFile>
#include <benchmark/benchmark.h>

namespace {

constexpr lw::UINT kLooks[] = {205, 206, 207, 208, 209, 210, 215, 216, 217, 218, 219};
QString g_page;

// The program started as the desktop starts it, with five pages open and editable.
struct Program : lwbench::Program {
    lw::CMainFrame* frame = nullptr;
    bool Start() {
        if (!lwbench::Program::Start())
            return false;
        QStringList pages;
        for (int i = 0; i < 5; ++i) {
            pages << g_page + QString::number(i) + QStringLiteral(".html");
            QFile::copy(g_page, pages.last());
        }
        if (OpenEditable(pages).empty() || !Frame())
            return false;
        frame = Frame();
        frame->GetWidget()->resize(1280, 900);
        for (int i = 0; i < 20; ++i)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        return true;
    }
};

// One program for every benchmark: the web engine starts once per process.
Program* g_program = nullptr;

Program* program(benchmark::State& state) {
    if (!g_program || !g_program->frame)
        state.SkipWithError("the program did not start with five editable pages");
    return g_program && g_program->frame ? g_program : nullptr;
}

void SwitchTheLookWithFiveDocumentsOpen(benchmark::State& state) {
    Program* p = program(state);
    if (!p)
        return;
    size_t next = 0;
    for (auto _ : state) {
        p->frame->OnSelectLook(kLooks[next++ % std::size(kLooks)]);
        // What the switch left for the event loop (the web views' frames) is not its cost.
        state.PauseTiming();
        QCoreApplication::processEvents();
        state.ResumeTiming();
    }
}
BENCHMARK(SwitchTheLookWithFiveDocumentsOpen)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(22)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

void IdleUpdateOfAllBarsInEachLook(benchmark::State& state) {
    Program* p = program(state);
    if (!p)
        return;
    p->frame->OnSelectLook(lw::UINT(state.range(0)));
    QCoreApplication::processEvents();
    for (auto _ : state)
        p->frame->OnIdleUpdateCmdUI();
}
BENCHMARK(IdleUpdateOfAllBarsInEachLook)
    ->Unit(benchmark::kMicrosecond)
    ->DenseRange(205, 210)
    ->DenseRange(215, 219);

} // namespace

int main(int argc, char** argv) {
    QTemporaryDir home;
    lwbench::PrepareEnvironment(home);
    QApplication qapp(argc, argv);
    lwbench::RegisterResources();
    g_page = home.filePath(QStringLiteral("bench"));
    QByteArray body;
    for (int i = 0; i < 200; ++i)
        body += "<p>Paragraph <b>" + QByteArray::number(i) + "</b> of a page being edited.</p>\n";
    if (!lwbench::WritePage(g_page, "Bench", body))
        return 1;
    benchmark::Initialize(&argc, argv);
    {
        Program started;
        if (!started.Start())
            started.frame = nullptr;
        g_program = &started;
        benchmark::RunSpecifiedBenchmarks();
        g_program = nullptr;
    }
    benchmark::Shutdown();
    return 0;
}
