// One auto-save of a modified 2 MB page: the page written into its recovery copy, as the
// five-minute timer does while a person types. The time is a pause in typing, so it has
// to stay short; the benchmark reports it in milliseconds.

#include "BenchProgram.h"

#include <QFile>
#include <benchmark/benchmark.h>

namespace {

QString g_page;
QString g_copy;

void AutoSaveOfAModified2MBPage(benchmark::State& state) {
    lwbench::Program program;
    lw::CLoomwriteDoc* doc = program.Start() ? program.OpenEditable(g_page) : nullptr;
    if (!doc) {
        state.SkipWithError("the page did not become editable");
        return;
    }
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
BENCHMARK(AutoSaveOfAModified2MBPage)->Unit(benchmark::kMillisecond)->Iterations(10);

} // namespace

int main(int argc, char** argv) {
    return lwbench::RunBenchmarks(argc, argv, [](const QTemporaryDir& home) {
        g_page = home.filePath(QStringLiteral("bench.html"));
        g_copy = home.filePath(QStringLiteral("copy.html"));
        QByteArray body;
        for (int i = 0; body.size() < 2 * 1024 * 1024; ++i)
            body += "<p>Paragraph <b>" + QByteArray::number(i) + "</b> of a long page, with <i>some</i> words and "
                    "<a href=\"#p" + QByteArray::number(i) + "\">a link</a> in it.</p>\n";
        return lwbench::WritePage(g_page, "Bench", body);
    });
}
