// Printing a 20-page document to a PDF file, from the command to the finished file, and
// what the file holds: vector pages with their text (budget: under 1 s); and its print
// preview, from the command to the preview window showing its pages (budget: under 1.5 s).

#include "BenchProgram.h"
#include "engine/HtmlEngine.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <benchmark/benchmark.h>

namespace {

QString g_page;
QString g_pdf;

// The twenty-page document, editable in the program; nothing when it did not become so.
lw::IHtmlEngine* openTwentyPages(lwbench::Program& program, benchmark::State& state) {
    lw::CLoomwriteDoc* doc = program.Start() ? program.OpenEditable(g_page) : nullptr;
    if (!doc) {
        state.SkipWithError("the page did not become editable");
        return nullptr;
    }
    return lwbench::ViewOf(doc)->GetEngine();
}

void PrintATwentyPageDocumentToPdf(benchmark::State& state) {
    lwbench::Program program;
    lw::IHtmlEngine* engine = openTwentyPages(program, state);
    if (!engine)
        return;
    for (auto _ : state) {
        QFile::remove(g_pdf);
        auto printer = std::make_shared<QPrinter>(QPrinter::HighResolution);
        printer->setOutputFormat(QPrinter::PdfFormat);
        printer->setOutputFileName(g_pdf);
        bool finished = false;
        auto connection = QObject::connect(engine, &lw::IHtmlEngine::printFinished, [&](bool) { finished = true; });
        engine->print(printer);
        QDeadlineTimer wait(60000);
        while (!finished && !wait.hasExpired())
            QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        QObject::disconnect(connection);
    }
    QFile pdf(g_pdf);
    pdf.open(QIODevice::ReadOnly);
    const QByteArray bytes = pdf.readAll();
    state.counters["pages"] = static_cast<double>(bytes.count("/Type /Page\n"));
    state.counters["kB"] = static_cast<double>(bytes.size()) / 1024;
    state.counters["vector_text"] = bytes.contains("/Font") ? 1 : 0;
    state.counters["budget_ms"] = 1000;
}
BENCHMARK(PrintATwentyPageDocumentToPdf)->Unit(benchmark::kMillisecond)->Iterations(5);

// The preview window, once shown, has drawn its pages.
QPrintPreviewDialog* shownPreview() {
    for (QWidget* w : QApplication::topLevelWidgets()) {
        auto* dialog = qobject_cast<QPrintPreviewDialog*>(w);
        if (dialog && dialog->isVisible())
            return dialog;
    }
    return nullptr;
}

void PreviewATwentyPageDocument(benchmark::State& state) {
    lwbench::Program program;
    lw::IHtmlEngine* engine = openTwentyPages(program, state);
    if (!engine)
        return;
    int pages = 0;
    for (auto _ : state) {
        QElapsedTimer timer;
        timer.start();
        if (engine->exec(2003, nullptr, nullptr) != lw::S_OK) {
            state.SkipWithError("print preview refused");
            return;
        }
        QPrintPreviewDialog* dialog = nullptr;
        QDeadlineTimer wait(60000);
        while (!(dialog = shownPreview()) && !wait.hasExpired())
            QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        state.SetIterationTime(static_cast<double>(timer.nsecsElapsed()) / 1e9);
        if (!dialog) {
            state.SkipWithError("no preview window");
            return;
        }
        if (auto* widget = dialog->findChild<QPrintPreviewWidget*>())
            pages = widget->pageCount();
        dialog->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    state.counters["pages"] = pages;
    state.counters["budget_ms"] = 1500;
}
BENCHMARK(PreviewATwentyPageDocument)->Unit(benchmark::kMillisecond)->Iterations(5)->UseManualTime();

} // namespace

int main(int argc, char** argv) {
    return lwbench::RunBenchmarks(argc, argv, [](const QTemporaryDir& home) {
        g_page = home.filePath(QStringLiteral("twenty.html"));
        g_pdf = home.filePath(QStringLiteral("twenty.pdf"));
        // About twenty A4 pages of headings and paragraphs.
        QByteArray body;
        for (int i = 0; i < 20; ++i) {
            body += "<h1>Chapter " + QByteArray::number(i + 1) + "</h1>\n";
            for (int p = 0; p < 9; ++p)
                body += "<p>A paragraph of running text that fills the line and wraps over several lines, as "
                        "chapters of a long document do, with <b>bold</b> and <i>italic</i> words now and then "
                        "so that more than one font is used on every page.</p>\n";
            body += "<div style=\"break-after: page\"></div>\n";
        }
        return lwbench::WritePage(g_page, "Twenty pages", body);
    });
}
