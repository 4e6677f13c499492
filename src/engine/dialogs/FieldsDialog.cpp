#include "engine/dialogs/FieldsDialog.h"

#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace lw {

FieldsDialog::FieldsDialog(const QString& title, QWidget* parent) : QDialog(parent) {
    setWindowTitle(title);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(new QFormLayout);
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
    if (!browse) {
        form->addRow(label, field);
        return int(m_fields.size()) - 1;
    }
    auto* row = new QHBoxLayout;
    row->addWidget(field);
    auto* button = new QPushButton(tr("&Browse..."));
    connect(button, &QPushButton::clicked, this, [this, field] { browseFor(field); });
    row->addWidget(button);
    form->addRow(label, row);
    return int(m_fields.size()) - 1;
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
