// One idle update of every bar of the main frame: each toolbar button and control asks
// the command route for its state, and the status bar reads the lock keys. Budget:
// 200 microseconds a pass.

#include "frame/MainFrame.h"
#include "framework/ui/WinAppEx.h"
#include "resources/CommandIds.h"
#include "resources/ProgramImages.h"
#include "resources/ProgramResources.h"

#include <QApplication>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <cstdlib>

namespace {

void IdleUpdateOfAllBars(benchmark::State& state) {
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
BENCHMARK(IdleUpdateOfAllBars)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv) {
    // Private settings: a benchmark never touches the user's own.
    QTemporaryDir home;
    ::setenv("XDG_CONFIG_HOME", home.path().toLocal8Bit().constData(), 1);
    ::setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication qapp(argc, argv);
    lw::RegisterProgramResources();
    lw::RegisterProgramImages();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
