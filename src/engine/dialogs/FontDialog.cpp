#include "engine/dialogs/FontDialog.h"

#include <QCheckBox>
#include <QColorDialog>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFontComboBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QLineEdit>
#include <QPixmap>
#include <QPushButton>
#include <QVBoxLayout>

namespace lw {

namespace {

// The point sizes the seven HTML sizes stand for.
constexpr int kPointSizes[] = {8, 10, 12, 14, 18, 24, 36};

QColor toQColor(quint32 bgr) {
    return QColor(int(bgr & 0xFF), int((bgr >> 8) & 0xFF), int((bgr >> 16) & 0xFF));
}

quint32 fromQColor(const QColor& color) {
    return quint32(color.red()) | (quint32(color.green()) << 8) | (quint32(color.blue()) << 16);
}

QCheckBox* styleBox(const QString& text, const std::optional<bool>& state) {
    auto* box = new QCheckBox(text);
    box->setTristate(true);
    box->setCheckState(!state ? Qt::PartiallyChecked : *state ? Qt::Checked : Qt::Unchecked);
    return box;
}

std::optional<bool> stateOf(const QCheckBox* box) {
    if (box->checkState() == Qt::PartiallyChecked)
        return std::nullopt;
    return box->checkState() == Qt::Checked;
}

} // namespace

FontDialog::FontDialog(const FontChoice& current, QWidget* parent)
    : QDialog(parent), m_foreColor(current.foreColor), m_backColor(current.backColor) {
    setWindowTitle(tr("Font"));
    auto* form = new QFormLayout;

    m_name = new QFontComboBox;
    if (current.name)
        m_name->setCurrentFont(QFont(*current.name));
    else
        m_name->setCurrentIndex(-1);
    m_name->setEditable(true);
    m_name->lineEdit()->setText(current.name.value_or(QString()));
    form->addRow(tr("&Name:"), m_name);

    m_size = new QComboBox;
    m_size->addItem(QString());
    for (int size = 1; size <= 7; ++size)
        m_size->addItem(tr("%1 (%2 pt)").arg(size).arg(kPointSizes[size - 1]), size);
    m_size->setCurrentIndex(current.size && *current.size >= 1 && *current.size <= 7 ? *current.size : 0);
    form->addRow(tr("&Size:"), m_size);

    form->addRow(tr("&Text colour:"), colorButton(m_foreColor));
    form->addRow(tr("&Background colour:"), colorButton(m_backColor));

    auto* styles = new QGridLayout;
    m_bold = styleBox(tr("&Bold"), current.bold);
    m_italic = styleBox(tr("&Italic"), current.italic);
    m_underline = styleBox(tr("&Underline"), current.underline);
    m_strikethrough = styleBox(tr("S&trikethrough"), current.strikethrough);
    m_superscript = styleBox(tr("Su&perscript"), current.superscript);
    m_subscript = styleBox(tr("Subs&cript"), current.subscript);
    styles->addWidget(m_bold, 0, 0);
    styles->addWidget(m_italic, 0, 1);
    styles->addWidget(m_underline, 1, 0);
    styles->addWidget(m_strikethrough, 1, 1);
    styles->addWidget(m_superscript, 2, 0);
    styles->addWidget(m_subscript, 2, 1);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addLayout(styles);
    layout->addWidget(buttons);
}

QPushButton* FontDialog::colorButton(std::optional<quint32>& color) {
    auto* button = new QPushButton;
    showColor(button, color);
    connect(button, &QPushButton::clicked, this, [this, button, &color] { chooseColor(button, color); });
    return button;
}

void FontDialog::chooseColor(QPushButton* button, std::optional<quint32>& color) {
    auto* dialog = new QColorDialog(color ? toQColor(*color) : QColor(Qt::black), this);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    connect(dialog, &QColorDialog::colorSelected, this, [button, &color](const QColor& chosen) {
        color = fromQColor(chosen);
        showColor(button, color);
    });
    dialog->open();
}

void FontDialog::showColor(QPushButton* button, const std::optional<quint32>& color) {
    if (!color) {
        button->setIcon(QIcon());
        button->setText(tr("(as it is)"));
        return;
    }
    QPixmap swatch(24, 12);
    swatch.fill(toQColor(*color));
    button->setIcon(QIcon(swatch));
    button->setText(toQColor(*color).name());
}

FontChoice FontDialog::choice() const {
    FontChoice choice;
    const QString name = m_name->lineEdit()->text().trimmed();
    if (!name.isEmpty())
        choice.name = name;
    if (m_size->currentIndex() > 0)
        choice.size = m_size->currentData().toInt();
    choice.foreColor = m_foreColor;
    choice.backColor = m_backColor;
    choice.bold = stateOf(m_bold);
    choice.italic = stateOf(m_italic);
    choice.underline = stateOf(m_underline);
    choice.strikethrough = stateOf(m_strikethrough);
    choice.superscript = stateOf(m_superscript);
    choice.subscript = stateOf(m_subscript);
    return choice;
}

} // namespace lw
