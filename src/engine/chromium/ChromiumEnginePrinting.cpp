// Printing, print preview and page setup. Each prints a clean copy of the page (no editing
// aids) with the page layout kept by the engine, which page setup changes.

#include "engine/EngineDialogs.h"
#include "engine/chromium/ChromiumEngine.h"
#include "engine/chromium/EditorPage.h"
#include "engine/chromium/PagePrinter.h"
#include "engine/chromium/PageSerializer.h"

#include <QApplication>
#include <QPointer>
#include <QPrinter>
#include <QPrinterInfo>
#include <QProgressDialog>

namespace lw {

namespace {
constexpr int kPreviewResolution = 200;

// While a page is prepared for printing or preview: a busy pointer at once, and a small
// busy indicator should the preparation take a moment.
std::shared_ptr<void> showPrintProgress(QWidget* parent) {
    QApplication::setOverrideCursor(Qt::BusyCursor);
    QPointer<QProgressDialog> dialog =
        new QProgressDialog(QStringLiteral("Preparing the page for printing..."), QString(), 0, 0, parent);
    dialog->setWindowTitle(QStringLiteral("Printing"));
    dialog->setWindowModality(Qt::WindowModal);
    dialog->setMinimumDuration(400);
    dialog->setValue(0);
    return std::shared_ptr<void>(nullptr, [dialog](void*) {
        QApplication::restoreOverrideCursor();
        if (dialog) {
            dialog->hide();
            dialog->deleteLater();
        }
    });
}
} // namespace

QPageLayout ChromiumEngine::pageLayout() const {
    return m_pageLayout ? *m_pageLayout : QPrinter(QPrinter::HighResolution).pageLayout();
}

std::shared_ptr<QPrinter> ChromiumEngine::makePrinter() const {
    auto printer = std::make_shared<QPrinter>(QPrinter::HighResolution);
    if (m_pageLayout)
        printer->setPageLayout(*m_pageLayout);
    return printer;
}

HRESULT ChromiumEngine::print() {
    if (QPrinterInfo::defaultPrinter().isNull())
        return E_FAIL;
    return print(makePrinter());
}

HRESULT ChromiumEngine::print(std::shared_ptr<QPrinter> printer) {
    if (!printer)
        return E_INVALIDARG;
    if (!m_hasDocument || !m_page || m_waiting)
        return E_UNEXPECTED;
    m_waiting = true;
    const std::optional<QByteArray> copy = serializeStandalone(*m_page, kPageTimeoutMs);
    m_waiting = false;
    if (!copy || !m_page)
        return E_FAIL;
    const std::weak_ptr<bool> alive = m_alive;
    std::shared_ptr<void> progress = showPrintProgress(dialogParent());
    const bool started = PagePrinter::start(*copy, m_page->profile(), std::move(printer), this,
                                            [this, alive, progress](bool ok) {
                                                if (isAlive(alive))
                                                    emit printFinished(ok);
                                            });
    return started ? S_OK : E_FAIL;
}

HRESULT ChromiumEngine::printCommand() {
    // A silent engine asks nothing: the page goes to the default printer.
    if (m_silent)
        return print();
    const std::shared_ptr<QPrinter> printer = makePrinter();
    const std::weak_ptr<bool> alive = m_alive;
    dialogProvider().askPrint(dialogParent(), printer, [this, alive, printer](bool accepted) {
        if (accepted && isAlive(alive))
            print(printer);
    });
    return S_OK;
}

HRESULT ChromiumEngine::printPreviewCommand() {
    if (m_silent)
        return OLECMDERR_E_CANCELED;
    if (m_waiting)
        return E_UNEXPECTED;
    m_waiting = true;
    const std::optional<QByteArray> copy = serializeStandalone(*m_page, kPageTimeoutMs);
    m_waiting = false;
    if (!copy || !m_page)
        return E_FAIL;
    const std::shared_ptr<QPrinter> printer = makePrinter();
    // The engine draws each previewed page as a picture at the printer's resolution: at the
    // high resolution a 20-page preview took half a minute, at this one half a second, sharp
    // on screen and fair on paper when printed from the preview (Print itself stays vector).
    printer->setResolution(kPreviewResolution);
    const std::weak_ptr<bool> alive = m_alive;
    auto progress = std::make_shared<std::shared_ptr<void>>(showPrintProgress(dialogParent()));
    m_pendingPreview =
        PagePreview::start(*copy, m_page->profile(), [this, alive, printer, progress](bool loaded) {
            // The preview window takes over from the busy indicator.
            progress->reset();
            if (!isAlive(alive))
                return;
            std::shared_ptr<PagePreview> preview = std::move(m_pendingPreview);
            if (!loaded || !preview)
                return;
            // The preview keeps the copy for as long as it may ask for the pages again.
            dialogProvider().showPrintPreview(dialogParent(), printer, [preview](QPrinter* target) {
                preview->paint(target, kPageTimeoutMs);
            });
        });
    return m_pendingPreview ? S_OK : E_FAIL;
}

HRESULT ChromiumEngine::pageSetupCommand() {
    if (m_silent)
        return OLECMDERR_E_CANCELED;
    const std::shared_ptr<QPrinter> printer = makePrinter();
    const std::weak_ptr<bool> alive = m_alive;
    dialogProvider().askPageSetup(dialogParent(), printer, [this, alive, printer](bool accepted) {
        if (accepted && isAlive(alive))
            m_pageLayout = printer->pageLayout();
    });
    return S_OK;
}

} // namespace lw
