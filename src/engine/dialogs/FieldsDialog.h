#pragma once
// A dialog of a few labelled text fields, some with a button that picks a local file: what
// the engine asks for a link, an image or an object.

#include <QDialog>
#include <QList>

class QLabel;
class QLineEdit;

namespace lw {

class FieldsDialog : public QDialog {
    Q_OBJECT

public:
    FieldsDialog(const QString& title, QWidget* parent);

    // Adds a field; with browse, a button beside it fills it with a chosen file's path.
    int addField(const QString& label, const QString& value, bool browse = false);
    QString value(int field) const;
    // OK is refused, with message shown, while every one of fields is empty.
    void requireOneOf(const QList<int>& fields, const QString& message);

    void accept() override;

private:
    void browseFor(QLineEdit* field);

    QList<QLineEdit*> m_fields;
    QList<QPair<QList<int>, QString>> m_required;
    QLabel* m_note = nullptr;
};

} // namespace lw
