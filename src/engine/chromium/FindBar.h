#pragma once
// The find bar over the bottom of a page: the text to find, next and previous, match case.
// The engine's find in page highlights and counts the matches; when the bar closes, the match
// it showed last becomes the page's selection, so the commands that follow act on it.

#include <QPointer>
#include <QWidget>

#include <functional>

class QCheckBox;
class QLabel;
class QLineEdit;
class QWebEngineFindTextResult;
class QWebEnginePage;

namespace lw {

class FindBar : public QWidget {
    Q_OBJECT

public:
    // Selects the index-th match (from 1, in the page's order) in the page.
    using SelectMatch = std::function<void(const QString& text, bool matchCase, int index)>;

    // The bar lies over view, along its bottom edge, and follows its size.
    FindBar(QWebEnginePage* page, QWidget* view, SelectMatch selectMatch);

    // Shows the bar with the text to find selected, ready to type over.
    void open();
    // Hides the bar and its highlighting, and selects the match it showed.
    void dismiss();

    void findNext() { find(false); }
    void findPrevious() { find(true); }

    QLineEdit* textField() const { return m_text; }
    QCheckBox* matchCaseBox() const { return m_matchCase; }
    // What the last search found: "2 of 5", "Not found", or empty before any search.
    QString status() const;
    int activeMatch() const { return m_activeMatch; }
    int matchCount() const { return m_matchCount; }

signals:
    void searched();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void find(bool backward);
    void place();
    void showResult(const QWebEngineFindTextResult& result);

    QPointer<QWebEnginePage> m_page;
    QWidget* m_view;
    SelectMatch m_selectMatch;
    bool m_lastMatchCase = false;
    QLineEdit* m_text = nullptr;
    QCheckBox* m_matchCase = nullptr;
    QLabel* m_status = nullptr;
    int m_activeMatch = 0;
    int m_matchCount = -1;
};

} // namespace lw
