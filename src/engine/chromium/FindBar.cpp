#include "engine/chromium/FindBar.h"

#include "engine/chromium/KeyHookFilter.h"

#include <QCheckBox>
#include <QEvent>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QToolButton>
#include <QWebEngineFindTextResult>
#include <QWebEnginePage>

namespace lw {

FindBar::FindBar(QWebEnginePage* page, QWidget* view, SelectMatch selectMatch)
    : QWidget(view), m_page(page), m_view(view), m_selectMatch(std::move(selectMatch)) {
    setProperty(KeyHookFilter::kKeepsItsKeys, true);
    setAutoFillBackground(true);
    setBackgroundRole(QPalette::Window);
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(6, 4, 6, 4);
    layout->addWidget(new QLabel(tr("Find:")));
    m_text = new QLineEdit;
    layout->addWidget(m_text, 1);
    auto* previous = new QToolButton;
    previous->setText(tr("&Previous"));
    layout->addWidget(previous);
    auto* next = new QToolButton;
    next->setText(tr("&Next"));
    layout->addWidget(next);
    m_matchCase = new QCheckBox(tr("Match &case"));
    layout->addWidget(m_matchCase);
    m_status = new QLabel;
    layout->addWidget(m_status);
    auto* close = new QToolButton;
    close->setText(tr("Close"));
    layout->addWidget(close);

    connect(m_text, &QLineEdit::returnPressed, this,
            [this] { find((QGuiApplication::keyboardModifiers() & Qt::ShiftModifier) != 0); });
    connect(m_text, &QLineEdit::textEdited, this, [this] { findNext(); });
    connect(m_matchCase, &QCheckBox::toggled, this, [this] { findNext(); });
    connect(next, &QToolButton::clicked, this, [this] { findNext(); });
    connect(previous, &QToolButton::clicked, this, [this] { findPrevious(); });
    connect(close, &QToolButton::clicked, this, [this] { dismiss(); });
    view->installEventFilter(this);
    hide();
}

void FindBar::open() {
    place();
    show();
    raise();
    m_text->setFocus(Qt::ShortcutFocusReason);
    m_text->selectAll();
}

void FindBar::dismiss() {
    hide();
    const int active = m_activeMatch;
    m_activeMatch = 0;
    m_matchCount = -1;
    m_status->clear();
    // An empty search takes the highlighting away.
    if (m_page)
        m_page->findText(QString());
    if (active > 0 && m_selectMatch)
        m_selectMatch(m_text->text(), m_lastMatchCase, active);
    m_view->setFocus(Qt::OtherFocusReason);
}

QString FindBar::status() const {
    return m_status->text();
}

void FindBar::find(bool backward) {
    if (!m_page)
        return;
    QWebEnginePage::FindFlags flags;
    if (backward)
        flags |= QWebEnginePage::FindBackward;
    const bool matchCase = m_matchCase->isChecked();
    if (matchCase)
        flags |= QWebEnginePage::FindCaseSensitively;
    // The engine takes the same text again as a step to the next match, keeping its earlier
    // case rule; another rule needs a new search.
    if (matchCase != m_lastMatchCase)
        m_page->findText(QString());
    m_lastMatchCase = matchCase;
    QPointer<FindBar> self(this);
    m_page->findText(m_text->text(), flags, [self](const QWebEngineFindTextResult& result) {
        if (self)
            self->showResult(result);
    });
}

void FindBar::showResult(const QWebEngineFindTextResult& result) {
    m_activeMatch = result.activeMatch();
    m_matchCount = result.numberOfMatches();
    if (m_text->text().isEmpty())
        m_status->clear();
    else if (m_matchCount == 0)
        m_status->setText(tr("Not found"));
    else
        m_status->setText(tr("%1 of %2").arg(m_activeMatch).arg(m_matchCount));
    emit searched();
}

void FindBar::place() {
    const int height = sizeHint().height();
    setGeometry(0, m_view->height() - height, m_view->width(), height);
}

bool FindBar::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_view && event->type() == QEvent::Resize && isVisible())
        place();
    return QWidget::eventFilter(watched, event);
}

void FindBar::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape) {
        dismiss();
        return;
    }
    QWidget::keyPressEvent(event);
}

} // namespace lw
