#pragma once
// Prints a clean copy of a page: the serialised document is loaded into a hidden view of its
// own, so nothing the editor shows while editing (caret, selection, editing aids) is printed.

#include <QObject>
#include <QTemporaryFile>

#include <functional>
#include <memory>

class QPrinter;
class QWebEngineProfile;
class QWebEngineView;

namespace lw {

// Loads html (UTF-8, with a base address) into a hidden view of profile through file, a
// temporary file (setHtml refuses documents over 2 MB); the copy loads what it refers to and
// goes nowhere else. Null when the file cannot be written.
QWebEngineView* loadHiddenCopy(QTemporaryFile& file, const QByteArray& html, QWebEngineProfile* profile);

class PagePrinter : public QObject {
    Q_OBJECT

public:
    // Starts printing html on printer; false when the copy cannot be set up. The object
    // reports finished once and then deletes itself.
    static bool start(const QByteArray& html, QWebEngineProfile* profile, std::shared_ptr<QPrinter> printer,
                      QObject* parent, std::function<void(bool ok)> finished);
    ~PagePrinter() override;

private:
    PagePrinter(std::shared_ptr<QPrinter> printer, QObject* parent, std::function<void(bool)> finished);
    bool load(const QByteArray& html, QWebEngineProfile* profile);
    void done(bool ok);

    std::shared_ptr<QPrinter> m_printer;
    std::function<void(bool)> m_finished;
    QTemporaryFile m_file;
    QWebEngineView* m_view = nullptr;
    bool m_done = false;
};

// A clean copy of a page kept for a print preview, which asks for the pages again whenever
// its printer's settings change. Painting waits for the engine (bounded, taking no user
// input), since a preview wants its pages drawn by the time it asks returns.
class PagePreview : public QObject {
    Q_OBJECT

public:
    // Starts loading html; loaded reports once whether the copy is ready.
    static std::shared_ptr<PagePreview> start(const QByteArray& html, QWebEngineProfile* profile,
                                              std::function<void(bool ok)> loaded);
    ~PagePreview() override;

    bool paint(QPrinter* printer, int timeoutMs);

private:
    PagePreview() = default;

    QTemporaryFile m_file;
    QWebEngineView* m_view = nullptr;
    bool m_loaded = false;
};

} // namespace lw
