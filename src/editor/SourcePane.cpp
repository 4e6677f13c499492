#include "editor/SourcePane.h"

#include <QFontDatabase>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QRegularExpression>
#include <QSyntaxHighlighter>
#include <QTextBlock>
#include <QToolButton>

namespace lw {

namespace {

// Colours markup: tags, attribute names and values, comments, entities, the doctype.
class HtmlHighlighter : public QSyntaxHighlighter {
public:
    explicit HtmlHighlighter(QTextDocument* document, bool dark) : QSyntaxHighlighter(document) {
        auto format = [](const QColor& colour, bool bold = false, bool italic = false) {
            QTextCharFormat f;
            f.setForeground(colour);
            if (bold)
                f.setFontWeight(QFont::Bold);
            f.setFontItalic(italic);
            return f;
        };
        m_tag = format(dark ? QColor(0x7f, 0xb4, 0xff) : QColor(0x1a, 0x4f, 0xa8), true);
        m_attribute = format(dark ? QColor(0xe0, 0xb0, 0x60) : QColor(0x8a, 0x4b, 0x00));
        m_value = format(dark ? QColor(0x9c, 0xd6, 0x8a) : QColor(0x1d, 0x7a, 0x1d));
        m_comment = format(dark ? QColor(0x8a, 0x8a, 0x8a) : QColor(0x70, 0x70, 0x70), false, true);
        m_entity = format(dark ? QColor(0xd6, 0x8a, 0xd6) : QColor(0x9b, 0x1d, 0x9b));
    }

protected:
    void highlightBlock(const QString& text) override {
        static const QRegularExpression tag(QStringLiteral("</?[A-Za-z!?][^\\s/>]*|/?>"));
        static const QRegularExpression attribute(
            QStringLiteral("([^\\s\"'>/=]+)(\\s*=\\s*(\"[^\"]*\"?|'[^']*'?|[^\\s>]+))?"));
        static const QRegularExpression entity(QStringLiteral("&#?[A-Za-z0-9]+;"));
        // Block state 1: inside a comment that started on an earlier line.
        qsizetype at = 0;
        if (previousBlockState() == 1)
            at = comment(text, 0);
        setCurrentBlockState(at < 0 ? 1 : 0);
        while (at >= 0 && at < text.size()) {
            const qsizetype open = text.indexOf(QLatin1Char('<'), at);
            entities(text, entity, at, open < 0 ? text.size() : open);
            if (open < 0)
                break;
            if (text.mid(open, 4) == QLatin1String("<!--")) {
                at = comment(text, open);
                setCurrentBlockState(at < 0 ? 1 : 0);
                continue;
            }
            const QRegularExpressionMatch name = tag.match(text, open, QRegularExpression::NormalMatch,
                                                           QRegularExpression::AnchorAtOffsetMatchOption);
            if (!name.hasMatch()) {
                at = open + 1;
                continue;
            }
            setFormat(open, name.capturedLength(), m_tag);
            qsizetype close = text.indexOf(QLatin1Char('>'), name.capturedEnd());
            if (close < 0)
                close = text.size();
            for (auto it = attribute.globalMatch(text.left(close), name.capturedEnd()); it.hasNext();) {
                const QRegularExpressionMatch a = it.next();
                setFormat(a.capturedStart(1), a.capturedLength(1), m_attribute);
                if (a.capturedLength(3) > 0)
                    setFormat(a.capturedStart(3), a.capturedLength(3), m_value);
            }
            if (close < text.size())
                setFormat(close > 0 && text.at(close - 1) == QLatin1Char('/') ? close - 1 : close,
                          close > 0 && text.at(close - 1) == QLatin1Char('/') ? 2 : 1, m_tag);
            at = close + 1;
        }
    }

private:
    // Colours a comment from start; where it ends, or -1 when it goes on past the line.
    qsizetype comment(const QString& text, qsizetype start) {
        const qsizetype end = text.indexOf(QLatin1String("-->"), start);
        if (end < 0) {
            setFormat(start, text.size() - start, m_comment);
            return -1;
        }
        setFormat(start, end + 3 - start, m_comment);
        return end + 3;
    }
    void entities(const QString& text, const QRegularExpression& entity, qsizetype from, qsizetype to) {
        for (auto it = entity.globalMatch(text.left(to), from); it.hasNext();) {
            const QRegularExpressionMatch m = it.next();
            setFormat(m.capturedStart(), m.capturedLength(), m_entity);
        }
    }

    QTextCharFormat m_tag;
    QTextCharFormat m_attribute;
    QTextCharFormat m_value;
    QTextCharFormat m_comment;
    QTextCharFormat m_entity;
};

class LineNumbers : public QWidget {
public:
    explicit LineNumbers(SourceEditor* editor) : QWidget(editor), m_editor(editor) {}
    QSize sizeHint() const override { return {m_editor->lineNumberWidth(), 0}; }

protected:
    void paintEvent(QPaintEvent* event) override { m_editor->paintLineNumbers(event); }

private:
    SourceEditor* m_editor;
};

} // namespace

SourceEditor::SourceEditor(QWidget* parent) : QPlainTextEdit(parent), m_lineNumbers(new LineNumbers(this)) {
    setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    setLineWrapMode(QPlainTextEdit::NoWrap);
    setTabStopDistance(fontMetrics().horizontalAdvance(QLatin1Char(' ')) * 4);
    const bool dark = palette().color(QPalette::Base).lightness() < 128;
    new HtmlHighlighter(document(), dark);
    connect(this, &QPlainTextEdit::blockCountChanged, this, [this] { setViewportMargins(lineNumberWidth(), 0, 0, 0); });
    connect(this, &QPlainTextEdit::updateRequest, this, [this](const QRect& rect, int dy) {
        if (dy)
            m_lineNumbers->scroll(0, dy);
        else
            m_lineNumbers->update(0, rect.y(), m_lineNumbers->width(), rect.height());
    });
    setViewportMargins(lineNumberWidth(), 0, 0, 0);
}

int SourceEditor::lineNumberWidth() const {
    int digits = 1;
    for (int lines = std::max(1, blockCount()); lines >= 10; lines /= 10)
        ++digits;
    return 8 + fontMetrics().horizontalAdvance(QLatin1Char('9')) * digits;
}

void SourceEditor::resizeEvent(QResizeEvent* event) {
    QPlainTextEdit::resizeEvent(event);
    const QRect area = contentsRect();
    m_lineNumbers->setGeometry(area.left(), area.top(), lineNumberWidth(), area.height());
}

void SourceEditor::paintLineNumbers(QPaintEvent* event) {
    QPainter painter(m_lineNumbers);
    painter.fillRect(event->rect(), palette().color(QPalette::AlternateBase));
    painter.setPen(palette().color(QPalette::PlaceholderText));
    QTextBlock block = firstVisibleBlock();
    int top = qRound(blockBoundingGeometry(block).translated(contentOffset()).top());
    const int width = m_lineNumbers->width() - 4;
    const int height = fontMetrics().height();
    while (block.isValid() && top <= event->rect().bottom()) {
        if (block.isVisible() && top + height >= event->rect().top())
            painter.drawText(0, top, width, height, Qt::AlignRight, QString::number(block.blockNumber() + 1));
        top += qRound(blockBoundingRect(block).height());
        block = block.next();
    }
}

SourceModeBar::SourceModeBar(QWidget* parent) : QWidget(parent) {
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(2, 1, 2, 1);
    layout->setSpacing(2);
    auto button = [this, layout](const QString& text, bool source) {
        auto* b = new QToolButton(this);
        b->setText(text);
        b->setCheckable(true);
        b->setAutoExclusive(true);
        b->setToolButtonStyle(Qt::ToolButtonTextOnly);
        b->setFocusPolicy(Qt::TabFocus);
        connect(b, &QToolButton::clicked, this, [this, source] { emit modeRequested(source); });
        layout->addWidget(b);
        return b;
    };
    m_design = button(tr("Design"), false);
    m_source = button(tr("Source"), true);
    m_design->setChecked(true);
    layout->addStretch(1);
    m_find = new QLineEdit(this);
    m_find->setPlaceholderText(tr("Find in source"));
    m_find->setClearButtonEnabled(true);
    m_find->setMaximumWidth(240);
    layout->addWidget(m_find);
    connect(m_find, &QLineEdit::returnPressed, this, [this] {
        emit findRequested(m_find->text(), QGuiApplication::keyboardModifiers() & Qt::ShiftModifier);
    });
    m_find->hide();
}

void SourceModeBar::showMode(bool source) {
    (source ? m_source : m_design)->setChecked(true);
    m_find->setVisible(source);
}

void SourceModeBar::startFind() {
    m_find->show();
    m_find->setFocus(Qt::ShortcutFocusReason);
    m_find->selectAll();
}

} // namespace lw
