#include "engine/chromium/PagePrinter.h"

#include "engine/chromium/EditorPage.h"

#include <QDir>
#include <QEventLoop>
#include <QPointer>
#include <QPrinter>
#include <QTimer>
#include <QWebEngineView>

namespace lw {

namespace {

QString copyTemplate() {
    return QDir::tempPath() + QStringLiteral("/loomwrite-print-XXXXXX.html");
}

} // namespace

QWebEngineView* loadHiddenCopy(QTemporaryFile& file, const QByteArray& html, QWebEngineProfile* profile) {
    if (!file.open() || file.write(html) != html.size() || !file.flush())
        return nullptr;
    file.close();
    const QUrl copyUrl = QUrl::fromLocalFile(file.fileName());

    auto* view = new QWebEngineView();
    view->setAttribute(Qt::WA_DontShowOnScreen);
    auto* page = new EditorPage(profile, view);
    page->setNavigationFilter(
        [copyUrl](const QUrl& url, bool isMainFrame) { return !isMainFrame || url == copyUrl; });
    view->setPage(page);
    page->approveTypedNavigation(copyUrl);
    page->load(copyUrl);
    return view;
}

PagePrinter::PagePrinter(std::shared_ptr<QPrinter> printer, QObject* parent,
                         std::function<void(bool)> finished)
    : QObject(parent), m_printer(std::move(printer)), m_finished(std::move(finished)),
      m_file(copyTemplate()) {}

PagePrinter::~PagePrinter() {
    delete m_view;
}

bool PagePrinter::start(const QByteArray& html, QWebEngineProfile* profile, std::shared_ptr<QPrinter> printer,
                        QObject* parent, std::function<void(bool ok)> finished) {
    auto* job = new PagePrinter(std::move(printer), parent, std::move(finished));
    if (!job->load(html, profile)) {
        delete job;
        return false;
    }
    return true;
}

bool PagePrinter::load(const QByteArray& html, QWebEngineProfile* profile) {
    m_view = loadHiddenCopy(m_file, html, profile);
    if (!m_view)
        return false;
    connect(m_view->page(), &QWebEnginePage::loadFinished, this, [this](bool ok) {
        if (!ok) {
            done(false);
            return;
        }
        // A PDF file is written by the engine itself: vector pages with selectable text,
        // instead of the pictures of pages a printer device gets.
        if (m_printer->outputFormat() == QPrinter::PdfFormat && !m_printer->outputFileName().isEmpty()) {
            m_view->page()->printToPdf(m_printer->outputFileName(), m_printer->pageLayout(),
                                       m_printer->pageRanges());
            return;
        }
        m_view->print(m_printer.get());
    });
    connect(m_view->page(), &QWebEnginePage::pdfPrintingFinished, this,
            [this](const QString&, bool ok) { done(ok); });
    connect(m_view, &QWebEngineView::printFinished, this, [this](bool ok) { done(ok); });
    return true;
}

void PagePrinter::done(bool ok) {
    if (m_done)
        return;
    m_done = true;
    if (m_finished)
        m_finished(ok);
    deleteLater();
}

std::shared_ptr<PagePreview> PagePreview::start(const QByteArray& html, QWebEngineProfile* profile,
                                                std::function<void(bool ok)> loaded) {
    // Released from whatever signal of its own view reports last, so it goes later.
    std::shared_ptr<PagePreview> preview(new PagePreview(), [](PagePreview* p) { p->deleteLater(); });
    preview->m_file.setFileTemplate(copyTemplate());
    preview->m_view = loadHiddenCopy(preview->m_file, html, profile);
    if (!preview->m_view)
        return nullptr;
    PagePreview* raw = preview.get();
    connect(raw->m_view->page(), &QWebEnginePage::loadFinished, raw, [raw, loaded](bool ok) {
        // A copy reports each load once; later ones (none are expected) change nothing.
        if (raw->m_loaded)
            return;
        raw->m_loaded = ok;
        if (loaded)
            loaded(ok);
    });
    return preview;
}

PagePreview::~PagePreview() {
    delete m_view;
}

bool PagePreview::paint(QPrinter* printer, int timeoutMs) {
    if (!m_loaded || !m_view || !printer)
        return false;
    struct Outcome {
        bool arrived = false;
        bool ok = false;
        QEventLoop* loop = nullptr;
    };
    auto outcome = std::make_shared<Outcome>();
    QEventLoop loop;
    outcome->loop = &loop;
    const QMetaObject::Connection connection =
        connect(m_view, &QWebEngineView::printFinished, this, [outcome](bool ok) {
            outcome->arrived = true;
            outcome->ok = ok;
            if (outcome->loop)
                outcome->loop->quit();
        });
    m_view->print(printer);
    if (!outcome->arrived) {
        QTimer timeout;
        timeout.setSingleShot(true);
        connect(&timeout, &QTimer::timeout, &loop, &QEventLoop::quit);
        timeout.start(timeoutMs);
        loop.exec(QEventLoop::ExcludeUserInputEvents);
    }
    outcome->loop = nullptr;
    disconnect(connection);
    return outcome->arrived && outcome->ok;
}

} // namespace lw
