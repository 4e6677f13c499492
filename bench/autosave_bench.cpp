// One auto-save of a modified 2 MB page: the page written into its recovery copy, as the
// five-minute timer does while a person types. The time is a pause in typing, so it has
// to stay short; the benchmark reports it in milliseconds.

#include "app/LoomwriteApp.h"
#include "editor/LoomwriteDoc.h"
#include "editor/LoomwriteView.h"
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
QString g_copy;

void AutoSaveOfAModified2MBPage(benchmark::State& state) {
    lw::CLoomwriteApp app;
    app.m_arguments = {QStringLiteral("/dde")};
    app.m_bArgumentsSet = true;
    if (!app.InitInstance()) {
        state.SkipWithError("the program did not start");
        return;
    }
    auto* doc = dynamic_cast<lw::CLoomwriteDoc*>(app.OpenDocumentFile(g_page));
    auto* view = doc ? dynamic_cast<lw::CLoomwriteView*>(doc->Views().front()) : nullptr;
    QDeadlineTimer deadline(60000);
    while (view && view->m_documentCompleteCount < 2 && !deadline.hasExpired())
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
    if (!view || view->m_documentCompleteCount < 2) {
        state.SkipWithError("the page did not become editable");
    } else {
        doc->SetModifiedFlag(lw::TRUE);
        for (auto _ : state) {
            QString error;
            if (!doc->SaveCopyTo(g_copy, &error)) {
                state.SkipWithError(qPrintable(error));
                break;
            }
        }
        state.counters["bytes"] = static_cast<double>(QFile(g_copy).size());
    }
    app.CloseAllDocuments(lw::FALSE);
    if (app.m_pMainWnd)
        app.m_pMainWnd->DestroyWindow();
    app.DelRegTree();
}
BENCHMARK(AutoSaveOfAModified2MBPage)->Unit(benchmark::kMillisecond)->Iterations(10);

} // namespace

int main(int argc, char** argv) {
    // Private settings and recovery folder: a benchmark never touches the user's own.
    QTemporaryDir home;
    ::setenv("XDG_CONFIG_HOME", home.filePath(QStringLiteral("config")).toLocal8Bit().constData(), 1);
    ::setenv("XDG_DATA_HOME", home.filePath(QStringLiteral("data")).toLocal8Bit().constData(), 1);
    ::setenv("QT_QPA_PLATFORM", "offscreen", 0);
    ::setenv("QTWEBENGINE_DISABLE_SANDBOX", "1", 0);
    ::setenv("QTWEBENGINE_CHROMIUM_FLAGS", "--disable-gpu --no-sandbox", 0);
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QApplication qapp(argc, argv);
    lw::RegisterProgramResources();
    lw::RegisterProgramImages();
    g_page = home.filePath(QStringLiteral("bench.html"));
    g_copy = home.filePath(QStringLiteral("copy.html"));
    QFile page(g_page);
    if (!page.open(QIODevice::WriteOnly))
        return 1;
    page.write("<!DOCTYPE html>\n<html><head><meta charset=\"utf-8\"><title>Bench</title></head><body>\n");
    for (int i = 0; page.size() < 2 * 1024 * 1024; ++i)
        page.write("<p>Paragraph <b>" + QByteArray::number(i) + "</b> of a long page, with <i>some</i> words and "
                   "<a href=\"#p" + QByteArray::number(i) + "\">a link</a> in it.</p>\n");
    page.write("</body></html>\n");
    page.close();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
