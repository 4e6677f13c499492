#pragma once
// The page's markup as text beside its design: an editor with HTML colouring, line numbers,
// undo and a find field, and the switch between the two at the bottom of the document window.

#include <QPlainTextEdit>
#include <QPointer>
#include <QWidget>

class QLineEdit;
class QToolButton;

namespace lw {

class SourceEditor : public QPlainTextEdit {
    Q_OBJECT
public:
    explicit SourceEditor(QWidget* parent = nullptr);

    int lineNumberWidth() const;
    void paintLineNumbers(QPaintEvent* event);

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    QWidget* m_lineNumbers;
};

// The bar at the bottom of a document window: "Design", "Source" and, in Source, a find field.
class SourceModeBar : public QWidget {
    Q_OBJECT
public:
    explicit SourceModeBar(QWidget* parent = nullptr);

    void showMode(bool source);
    // Puts the keyboard in the find field.
    void startFind();
    QLineEdit* findField() const { return m_find; }

signals:
    void modeRequested(bool source);
    // Enter in the find field; backwards with Shift.
    void findRequested(const QString& text, bool backwards);

private:
    QToolButton* m_design;
    QToolButton* m_source;
    QLineEdit* m_find;
};

} // namespace lw
