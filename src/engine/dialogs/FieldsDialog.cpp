#include "engine/dialogs/FieldsDialog.h"

#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>

namespace lw {

FieldsDialog::FieldsDialog(const QString& title, QWidget* parent) : QDialog(parent) {
    setWindowTitle(title);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(new QFormLayout);
    m_note = new QLabel;
    m_note->setWordWrap(true);
    m_note->hide();
    layout->addWidget(m_note);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
    setMinimumWidth(420);
}

int FieldsDialog::addField(const QString& label, const QString& value, bool browse) {
    auto* form = static_cast<QFormLayout*>(layout()->itemAt(0)->layout());
    auto* field = new QLineEdit(value);
    m_fields.append(field);
    // A label shows its mnemonic only with a buddy, which a row holding a layout does not get.
    auto* caption = new QLabel(label);
    caption->setBuddy(field);
    if (browse) {
        auto* row = new QHBoxLayout;
        row->addWidget(field);
        auto* button = new QPushButton(tr("&Browse..."));
        connect(button, &QPushButton::clicked, this, [this, field] { browseFor(field); });
        row->addWidget(button);
        form->addRow(caption, row);
    } else {
        form->addRow(caption, field);
    }
    // The user types into the first field at once; the buttons, made first, would take the focus.
    if (m_fields.size() == 1)
        field->setFocus(Qt::OtherFocusReason);
    return int(m_fields.size()) - 1;
}

void FieldsDialog::requireOneOf(const QList<int>& fields, const QString& message) {
    m_required.append({fields, message});
}

void FieldsDialog::accept() {
    for (const auto& [fields, message] : std::as_const(m_required)) {
        const bool filled = std::any_of(fields.cbegin(), fields.cend(), [this](int f) { return !value(f).isEmpty(); });
        if (filled)
            continue;
        m_note->setText(message);
        m_note->show();
        if (!fields.isEmpty() && fields.first() < m_fields.size())
            m_fields.at(fields.first())->setFocus(Qt::OtherFocusReason);
        return;
    }
    QDialog::accept();
}

QString FieldsDialog::value(int field) const {
    return field >= 0 && field < m_fields.size() ? m_fields.at(field)->text().trimmed() : QString();
}

void FieldsDialog::browseFor(QLineEdit* field) {
    auto* dialog = new QFileDialog(this);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->setFileMode(QFileDialog::ExistingFile);
    connect(dialog, &QFileDialog::fileSelected, field, &QLineEdit::setText);
    dialog->open();
}

} // namespace lw
