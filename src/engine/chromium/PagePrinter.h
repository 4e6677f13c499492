#pragma once
// Prints a clean copy of a page: the serialised document is loaded into a hidden view of its
// own, so nothing the editor shows while editing (caret, selection, editing aids) is printed.

#include <QObject>
#include <QTemporaryFile>

#include <functional>
#include <memory>

class QPrinter;
class QWebEngineView;

namespace lw {

class PagePrinter : public QObject {
    Q_OBJECT

public:
    // Starts printing html (UTF-8, with a base address) on printer; false when the copy cannot
    // be set up. The object reports finished once and then deletes itself.
    static bool start(const QByteArray& html, std::shared_ptr<QPrinter> printer, QObject* parent,
                      std::function<void(bool ok)> finished);
    ~PagePrinter() override;

private:
    PagePrinter(std::shared_ptr<QPrinter> printer, QObject* parent, std::function<void(bool)> finished);
    bool load(const QByteArray& html);
    void done(bool ok);

    std::shared_ptr<QPrinter> m_printer;
    std::function<void(bool)> m_finished;
    QTemporaryFile m_file;
    QWebEngineView* m_view = nullptr;
    bool m_done = false;
};

} // namespace lw
