#include "engine/dialogs/PropertyDialogs.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QIntValidator>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QSpinBox>
#include <QVBoxLayout>

#include <algorithm>

namespace lw {

namespace {

// The form every dialog here is made of, above its OK and Cancel buttons.
QFormLayout* makeForm(QDialog* dialog, const QString& title) {
    dialog->setWindowTitle(title);
    dialog->setMinimumWidth(420);
    auto* layout = new QVBoxLayout(dialog);
    auto* form = new QFormLayout;
    layout->addLayout(form);
    return form;
}

QDialogButtonBox* addButtons(QDialog* dialog) {
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    QObject::connect(buttons, &QDialogButtonBox::accepted, dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, dialog, &QDialog::reject);
    static_cast<QVBoxLayout*>(dialog->layout())->addWidget(buttons);
    return buttons;
}

// A field for a whole number of pixels, which may be left empty.
QLineEdit* pixelField(const QString& value, QWidget* parent) {
    auto* field = new QLineEdit(value, parent);
    field->setValidator(new QIntValidator(0, 99999, field));
    return field;
}

// A colour as pages write it: #rgb, #rrggbb or a name.
QLineEdit* colourField(const QString& value, QWidget* parent) {
    auto* field = new QLineEdit(value, parent);
    field->setValidator(new QRegularExpressionValidator(
        QRegularExpression(QStringLiteral("#[0-9A-Fa-f]{0,6}|[A-Za-z]{0,20}")), field));
    field->setPlaceholderText(QStringLiteral("#ffffff"));
    return field;
}

} // namespace

TableDialog::TableDialog(QWidget* parent) : QDialog(parent) {
    QFormLayout* form = makeForm(this, tr("Insert Table"));
    m_rows = new QSpinBox(this);
    m_rows->setRange(1, 500);
    m_rows->setValue(2);
    m_columns = new QSpinBox(this);
    m_columns->setRange(1, 500);
    m_columns->setValue(2);
    m_header = new QCheckBox(tr("&Header row"), this);
    m_width = new QLineEdit(QStringLiteral("100%"), this);
    m_width->setValidator(
        new QRegularExpressionValidator(QRegularExpression(QStringLiteral("\\d{0,5}%?")), m_width));
    form->addRow(tr("&Rows:"), m_rows);
    form->addRow(tr("&Columns:"), m_columns);
    form->addRow(QString(), m_header);
    form->addRow(tr("&Width (pixels or %):"), m_width);
    addButtons(this);
    m_rows->setFocus(Qt::OtherFocusReason);
}

TableChoice TableDialog::choice() const {
    return TableChoice{m_rows->value(), m_columns->value(), m_header->isChecked(), m_width->text().trimmed()};
}

ImagePropertiesDialog::ImagePropertiesDialog(const ImageProperties& current, QWidget* parent)
    : QDialog(parent), m_current(current) {
    QFormLayout* form = makeForm(this, tr("Image Properties"));
    m_source = new QLineEdit(current.source, this);
    auto* browse = new QPushButton(tr("&Browse..."), this);
    connect(browse, &QPushButton::clicked, this, [this] {
        auto* dialog = new QFileDialog(this, tr("Picture"), QString(),
                                       tr("Pictures (*.png *.jpg *.jpeg *.gif *.webp *.svg *.bmp);;All files (*)"));
        dialog->setAttribute(Qt::WA_DeleteOnClose);
        dialog->setFileMode(QFileDialog::ExistingFile);
        connect(dialog, &QFileDialog::fileSelected, m_source, &QLineEdit::setText);
        dialog->open();
    });
    auto* sourceRow = new QHBoxLayout;
    sourceRow->addWidget(m_source);
    sourceRow->addWidget(browse);
    auto* sourceLabel = new QLabel(tr("&Source:"), this);
    sourceLabel->setBuddy(m_source);
    form->addRow(sourceLabel, sourceRow);
    m_alternate = new QLineEdit(current.alternateText, this);
    form->addRow(tr("&Alternative text:"), m_alternate);
    m_width = pixelField(current.width, this);
    m_height = pixelField(current.height, this);
    form->addRow(tr("&Width:"), m_width);
    form->addRow(tr("&Height:"), m_height);
    m_keepRatio = new QCheckBox(tr("&Keep aspect ratio"), this);
    m_keepRatio->setChecked(current.naturalWidth > 0 && current.naturalHeight > 0);
    m_keepRatio->setEnabled(m_keepRatio->isChecked());
    form->addRow(QString(), m_keepRatio);
    connect(m_width, &QLineEdit::textEdited, this, [this] { keepRatio(true); });
    connect(m_height, &QLineEdit::textEdited, this, [this] { keepRatio(false); });
    m_align = new QComboBox(this);
    m_align->addItem(tr("Not set"), QString());
    m_align->addItem(tr("Left"), QStringLiteral("left"));
    m_align->addItem(tr("Right"), QStringLiteral("right"));
    m_align->addItem(tr("Top"), QStringLiteral("top"));
    m_align->addItem(tr("Middle"), QStringLiteral("middle"));
    m_align->addItem(tr("Bottom"), QStringLiteral("bottom"));
    m_align->setCurrentIndex(std::max(0, m_align->findData(current.align)));
    form->addRow(tr("A&lignment:"), m_align);
    m_border = pixelField(current.border, this);
    form->addRow(tr("&Border:"), m_border);
    addButtons(this);
    m_source->setFocus(Qt::OtherFocusReason);
}

void ImagePropertiesDialog::keepRatio(bool widthChanged) {
    if (m_following || !m_keepRatio->isChecked())
        return;
    QLineEdit* from = widthChanged ? m_width : m_height;
    QLineEdit* to = widthChanged ? m_height : m_width;
    bool ok = false;
    const int value = from->text().toInt(&ok);
    if (!ok)
        return;
    const double ratio = widthChanged ? double(m_current.naturalHeight) / m_current.naturalWidth
                                      : double(m_current.naturalWidth) / m_current.naturalHeight;
    m_following = true;
    to->setText(QString::number(qRound(value * ratio)));
    m_following = false;
}

ImageProperties ImagePropertiesDialog::properties() const {
    ImageProperties result = m_current;
    result.source = m_source->text().trimmed();
    result.alternateText = m_alternate->text();
    result.width = m_width->text().trimmed();
    result.height = m_height->text().trimmed();
    result.align = m_align->currentData().toString();
    result.border = m_border->text().trimmed();
    return result;
}

LinkPropertiesDialog::LinkPropertiesDialog(const LinkProperties& current, QWidget* parent) : QDialog(parent) {
    QFormLayout* form = makeForm(this, tr("Link Properties"));
    m_address = new QLineEdit(current.address, this);
    m_title = new QLineEdit(current.title, this);
    m_target = new QComboBox(this);
    m_target->setEditable(true);
    m_target->addItems({QString(), QStringLiteral("_blank"), QStringLiteral("_self"), QStringLiteral("_parent"),
                        QStringLiteral("_top")});
    m_target->setCurrentText(current.target);
    form->addRow(tr("&Address:"), m_address);
    form->addRow(tr("&Title:"), m_title);
    form->addRow(tr("Ta&rget:"), m_target);
    QDialogButtonBox* buttons = addButtons(this);
    QPushButton* remove = buttons->addButton(tr("&Remove Link"), QDialogButtonBox::DestructiveRole);
    connect(remove, &QPushButton::clicked, this, [this] {
        m_remove = true;
        accept();
    });
    m_address->setFocus(Qt::OtherFocusReason);
}

LinkProperties LinkPropertiesDialog::properties() const {
    return LinkProperties{m_address->text().trimmed(), m_title->text(), m_target->currentText().trimmed(), m_remove};
}

PagePropertiesDialog::PagePropertiesDialog(const PageProperties& current, QWidget* parent)
    : QDialog(parent), m_current(current) {
    QFormLayout* form = makeForm(this, tr("Page Properties"));
    m_title = new QLineEdit(current.title, this);
    m_language = new QLineEdit(current.language, this);
    m_language->setPlaceholderText(QStringLiteral("en"));
    m_charset = new QComboBox(this);
    m_charset->setEditable(true);
    m_charset->addItem(current.charset);
    if (current.charset.compare(QStringLiteral("utf-8"), Qt::CaseInsensitive) != 0)
        m_charset->addItem(QStringLiteral("UTF-8"));
    m_description = new QLineEdit(current.description, this);
    m_keywords = new QLineEdit(current.keywords, this);
    m_background = colourField(current.background, this);
    m_text = colourField(current.text, this);
    form->addRow(tr("&Title:"), m_title);
    form->addRow(tr("&Language:"), m_language);
    form->addRow(tr("&Character set:"), m_charset);
    auto* note = new QLabel(
        tr("The page is saved in the character set it was read with (%1) while that is what it declares and "
           "every character fits; declaring another one saves the page as UTF-8, declared as such.")
            .arg(current.loadedCharset),
        this);
    note->setWordWrap(true);
    form->addRow(QString(), note);
    form->addRow(tr("&Description:"), m_description);
    form->addRow(tr("&Keywords:"), m_keywords);
    form->addRow(tr("&Background colour:"), m_background);
    form->addRow(tr("Te&xt colour:"), m_text);
    addButtons(this);
    m_title->setFocus(Qt::OtherFocusReason);
}

PageProperties PagePropertiesDialog::properties() const {
    PageProperties result = m_current;
    result.title = m_title->text();
    result.language = m_language->text().trimmed();
    result.charset = m_charset->currentText().trimmed();
    result.description = m_description->text();
    result.keywords = m_keywords->text();
    result.background = m_background->text().trimmed();
    result.text = m_text->text().trimmed();
    return result;
}

} // namespace lw
