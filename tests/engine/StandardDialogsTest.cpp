// The engine's standard dialogs: what they start from and what they answer.

#include "engine/EngineDialogs.h"
#include "engine/dialogs/FieldsDialog.h"
#include "engine/dialogs/FontDialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QLineEdit>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QPushButton>
#include <QWidget>

#include "support/WaitFor.h"

#include <gtest/gtest.h>

using namespace lw;

namespace {

FontChoice sampleChoice() {
    FontChoice choice;
    choice.name = QStringLiteral("Georgia");
    choice.size = 3;
    choice.foreColor = 0x0000FFu;
    choice.bold = true;
    choice.underline = false;
    choice.strikethrough = false;
    choice.superscript = false;
    choice.subscript = false;
    return choice; // italic and the back colour are mixed
}

TEST(StandardDialogs, TheFontDialogGivesBackWhatItWasGivenAndLeavesMixedFieldsAlone) {
    const FontChoice current = sampleChoice();
    FontDialog dialog(current, nullptr);
    EXPECT_EQ(dialog.choice(), current);

    const QList<QCheckBox*> boxes = dialog.findChildren<QCheckBox*>();
    ASSERT_EQ(boxes.size(), 6);
    EXPECT_EQ(boxes.at(1)->checkState(), Qt::PartiallyChecked) << "italic is mixed";
    boxes.at(1)->setCheckState(Qt::Checked);
    boxes.at(0)->setCheckState(Qt::Unchecked);
    FontChoice expected = current;
    expected.italic = true;
    expected.bold = false;
    EXPECT_EQ(dialog.choice(), expected);
}

TEST(StandardDialogs, AnEmptyFontNameAndSizeAreLeftAsTheyAre) {
    FontDialog dialog(FontChoice{}, nullptr);
    const FontChoice choice = dialog.choice();
    EXPECT_EQ(choice.name, std::nullopt);
    EXPECT_EQ(choice.size, std::nullopt);
    EXPECT_EQ(choice.bold, std::nullopt);
    const QList<QComboBox*> combos = dialog.findChildren<QComboBox*>();
    ASSERT_FALSE(combos.isEmpty());
    QComboBox* size = combos.last();
    size->setCurrentIndex(7);
    EXPECT_EQ(dialog.choice().size, 7);
}

TEST(StandardDialogs, TheHyperlinkDialogAnswersOnceWithTheAddressOrNothing) {
    QWidget parent;
    const std::shared_ptr<EngineDialogProvider> dialogs = createStandardDialogs();
    std::vector<std::optional<QString>> answers;
    dialogs->askHyperlink(&parent, QStringLiteral("http://old.example/"),
                          [&](std::optional<QString> address) { answers.push_back(address); });
    auto* dialog = parent.findChild<FieldsDialog*>();
    ASSERT_NE(dialog, nullptr);
    EXPECT_TRUE(answers.empty()) << "the dialog answers when it closes";
    auto* field = dialog->findChild<QLineEdit*>();
    EXPECT_EQ(field->text(), QStringLiteral("http://old.example/"));
    field->setText(QStringLiteral("  http://new.example/ "));
    dialog->accept();
    ASSERT_EQ(answers.size(), 1u);
    EXPECT_EQ(answers.at(0), QStringLiteral("http://new.example/"));

    dialogs->askHyperlink(&parent, QString(),
                          [&](std::optional<QString> address) { answers.push_back(address); });
    QList<FieldsDialog*> open = parent.findChildren<FieldsDialog*>();
    ASSERT_FALSE(open.isEmpty());
    open.last()->reject();
    ASSERT_EQ(answers.size(), 2u);
    EXPECT_EQ(answers.at(1), std::nullopt);
}

TEST(StandardDialogs, TheImageDialogNeedsASource) {
    QWidget parent;
    const std::shared_ptr<EngineDialogProvider> dialogs = createStandardDialogs();
    std::vector<std::optional<ImageChoice>> answers;
    const auto record = [&](std::optional<ImageChoice> image) { answers.push_back(image); };
    dialogs->askImage(&parent, ImageChoice{}, record);
    parent.findChildren<FieldsDialog*>().last()->accept();
    dialogs->askImage(&parent, ImageChoice{QStringLiteral("a.png"), QStringLiteral("A")}, record);
    parent.findChildren<FieldsDialog*>().last()->accept();
    ASSERT_EQ(answers.size(), 2u);
    EXPECT_EQ(answers.at(0), std::nullopt);
    EXPECT_EQ(answers.at(1), (ImageChoice{QStringLiteral("a.png"), QStringLiteral("A")}));
}

TEST(StandardDialogs, ThePrintPreviewAsksForItsPagesAndKeepsThePrinterWhileOpen) {
    QWidget parent;
    parent.show();
    int painted = 0;
    auto printer = std::make_shared<QPrinter>();
    std::weak_ptr<QPrinter> kept = printer;
    createStandardDialogs()->showPrintPreview(&parent, std::move(printer), [&](QPrinter*) { ++painted; });
    auto* preview = parent.findChild<QPrintPreviewDialog*>();
    ASSERT_NE(preview, nullptr);
    EXPECT_TRUE(lwtest::waitFor([&] { return painted > 0; }));
    EXPECT_FALSE(kept.expired());
    preview->close();
    // Deleted later, which a test outside any event loop has to ask for.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(kept.expired()) << "the printer goes with the dialog";
}

} // namespace
