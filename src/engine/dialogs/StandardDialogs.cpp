// The engine's dialogs on Qt Widgets. Each one is window-modal, opened without a nested event
// loop, and deletes itself once it has answered.

#include "engine/EngineDialogs.h"
#include "engine/dialogs/FieldsDialog.h"
#include "engine/dialogs/FontDialog.h"
#include "engine/dialogs/PropertyDialogs.h"

#include <QGuiApplication>
#include <QMessageBox>
#include <QPageSetupDialog>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>

namespace lw {

namespace {

// Opens dialog and calls done with its result once, after which the dialog goes away.
template <typename Dialog, typename Done> void openDialog(Dialog* dialog, Done done) {
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    QObject::connect(dialog, &QDialog::finished, dialog,
                     [dialog, done](int result) { done(*dialog, result); });
    dialog->open();
}

class StandardDialogs : public EngineDialogProvider {
public:
    void askHyperlink(QWidget* parent, const QString& current, Answer<QString> answer) override {
        auto* dialog = new FieldsDialog(FieldsDialog::tr("Hyperlink"), parent);
        const int address = dialog->addField(FieldsDialog::tr("&Address:"), current);
        // Emptying the address of an existing link removes the link; a new link needs one.
        if (current.isEmpty())
            dialog->requireOneOf({address}, FieldsDialog::tr("Type the address the link goes to."));
        openDialog(dialog, [answer, address](FieldsDialog& d, int result) {
            answer(result == QDialog::Accepted ? std::optional<QString>(d.value(address)) : std::nullopt);
        });
    }

    void askImage(QWidget* parent, const ImageChoice& current, Answer<ImageChoice> answer) override {
        auto* dialog = new FieldsDialog(FieldsDialog::tr("Image"), parent);
        const int source = dialog->addField(FieldsDialog::tr("&Source:"), current.source, true);
        const int alternate = dialog->addField(FieldsDialog::tr("&Alternate text:"), current.alternateText);
        dialog->requireOneOf({source}, FieldsDialog::tr("Type or browse for the picture's file or address."));
        openDialog(dialog, [answer, source, alternate](FieldsDialog& d, int result) {
            if (result != QDialog::Accepted || d.value(source).isEmpty())
                answer(std::nullopt);
            else
                answer(ImageChoice{d.value(source), d.value(alternate)});
        });
    }

    void askFont(QWidget* parent, const FontChoice& current, Answer<FontChoice> answer) override {
        openDialog(new FontDialog(current, parent), [answer](FontDialog& d, int result) {
            answer(result == QDialog::Accepted ? std::optional<FontChoice>(d.choice()) : std::nullopt);
        });
    }

    void askObject(QWidget* parent, const ObjectChoice& current, Answer<ObjectChoice> answer) override {
        auto* dialog = new FieldsDialog(FieldsDialog::tr("Object"), parent);
        const int data = dialog->addField(FieldsDialog::tr("&Data:"), current.data, true);
        const int type = dialog->addField(FieldsDialog::tr("&Type:"), current.type);
        dialog->requireOneOf({data, type}, FieldsDialog::tr("Give the object's data, its type, or both."));
        openDialog(dialog, [answer, data, type](FieldsDialog& d, int result) {
            if (result != QDialog::Accepted || (d.value(data).isEmpty() && d.value(type).isEmpty()))
                answer(std::nullopt);
            else
                answer(ObjectChoice{d.value(data), d.value(type)});
        });
    }

    void askTable(QWidget* parent, Answer<TableChoice> answer) override {
        openDialog(new TableDialog(parent), [answer](TableDialog& d, int result) {
            answer(result == QDialog::Accepted ? std::optional<TableChoice>(d.choice()) : std::nullopt);
        });
    }

    void askImageProperties(QWidget* parent, const ImageProperties& current,
                            Answer<ImageProperties> answer) override {
        openDialog(new ImagePropertiesDialog(current, parent), [answer](ImagePropertiesDialog& d, int result) {
            answer(result == QDialog::Accepted ? std::optional<ImageProperties>(d.properties()) : std::nullopt);
        });
    }

    void askLinkProperties(QWidget* parent, const LinkProperties& current,
                           Answer<LinkProperties> answer) override {
        openDialog(new LinkPropertiesDialog(current, parent), [answer](LinkPropertiesDialog& d, int result) {
            answer(result == QDialog::Accepted ? std::optional<LinkProperties>(d.properties()) : std::nullopt);
        });
    }

    void askPageProperties(QWidget* parent, const PageProperties& current,
                           Answer<PageProperties> answer) override {
        openDialog(new PagePropertiesDialog(current, parent), [answer](PagePropertiesDialog& d, int result) {
            answer(result == QDialog::Accepted ? std::optional<PageProperties>(d.properties()) : std::nullopt);
        });
    }

    void askPrint(QWidget* parent, std::shared_ptr<QPrinter> printer,
                  std::function<void(bool)> answer) override {
        openDialog(new QPrintDialog(printer.get(), parent),
                   [answer, printer](QPrintDialog&, int result) { answer(result == QDialog::Accepted); });
    }

    void askPageSetup(QWidget* parent, std::shared_ptr<QPrinter> printer,
                      std::function<void(bool)> answer) override {
        openDialog(new QPageSetupDialog(printer.get(), parent),
                   [answer, printer](QPageSetupDialog&, int result) { answer(result == QDialog::Accepted); });
    }

    void showPrintPreview(QWidget* parent, std::shared_ptr<QPrinter> printer,
                          std::function<void(QPrinter*)> paint) override {
        auto* dialog = new QPrintPreviewDialog(printer.get(), parent);
        dialog->setAttribute(Qt::WA_DeleteOnClose);
        // The printer must outlive the dialog that draws on it; the connection goes with it.
        QObject::connect(dialog, &QPrintPreviewDialog::paintRequested, dialog,
                         [paint, printer](QPrinter* target) { paint(target); });
        dialog->open();
    }

    void tell(QWidget* parent, const QString& message) override {
        auto* box = new QMessageBox(QMessageBox::Warning, QGuiApplication::applicationDisplayName(), message,
                                    QMessageBox::Ok, parent);
        box->setAttribute(Qt::WA_DeleteOnClose);
        box->open();
    }
};

} // namespace

std::shared_ptr<EngineDialogProvider> createStandardDialogs() {
    return std::make_shared<StandardDialogs>();
}

} // namespace lw
