#include "engine/chromium/PagePrinter.h"

#include "engine/chromium/EditorPage.h"

#include <QDir>
#include <QPrinter>
#include <QWebEngineView>

namespace lw {

PagePrinter::PagePrinter(std::shared_ptr<QPrinter> printer, QObject* parent,
                         std::function<void(bool)> finished)
    : QObject(parent), m_printer(std::move(printer)), m_finished(std::move(finished)),
      m_file(QDir::tempPath() + QStringLiteral("/loomwrite-print-XXXXXX.html")) {}

PagePrinter::~PagePrinter() {
    delete m_view;
}

bool PagePrinter::start(const QByteArray& html, std::shared_ptr<QPrinter> printer, QObject* parent,
                        std::function<void(bool ok)> finished) {
    auto* job = new PagePrinter(std::move(printer), parent, std::move(finished));
    if (!job->load(html)) {
        delete job;
        return false;
    }
    return true;
}

bool PagePrinter::load(const QByteArray& html) {
    // A file rather than setHtml, which refuses documents over 2 MB.
    if (!m_file.open() || m_file.write(html) != html.size() || !m_file.flush())
        return false;
    m_file.close();
    const QUrl copyUrl = QUrl::fromLocalFile(m_file.fileName());

    m_view = new QWebEngineView();
    m_view->setAttribute(Qt::WA_DontShowOnScreen);
    auto* page = new EditorPage(EditorPage::editingProfile(), m_view);
    // The copy loads its own file and the resources it refers to, and goes nowhere else.
    page->setNavigationFilter(
        [copyUrl](const QUrl& url, bool isMainFrame) { return !isMainFrame || url == copyUrl; });
    m_view->setPage(page);
    connect(page, &QWebEnginePage::loadFinished, this, [this](bool ok) {
        if (!ok) {
            done(false);
            return;
        }
        m_view->print(m_printer.get());
    });
    connect(m_view, &QWebEngineView::printFinished, this, [this](bool ok) { done(ok); });
    page->approveTypedNavigation(copyUrl);
    page->load(copyUrl);
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

} // namespace lw
