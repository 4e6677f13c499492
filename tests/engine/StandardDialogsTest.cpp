// The engine's standard dialogs: what they start from and what they answer.

#include "engine/EngineDialogs.h"
#include "engine/dialogs/FieldsDialog.h"
#include "engine/dialogs/FontDialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QPushButton>
#include <QTest>
#include <QWidget>

#include "support/WaitFor.h"

#include <gtest/gtest.h>

#include <algorithm>

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
    FieldsDialog* empty = parent.findChildren<FieldsDialog*>().last();
    empty->accept();
    EXPECT_TRUE(answers.empty()) << "OK without a source stays open";
    empty->reject();
    dialogs->askImage(&parent, ImageChoice{QStringLiteral("a.png"), QStringLiteral("A")}, record);
    parent.findChildren<FieldsDialog*>().last()->accept();
    ASSERT_EQ(answers.size(), 2u);
    EXPECT_EQ(answers.at(0), std::nullopt);
    EXPECT_EQ(answers.at(1), (ImageChoice{QStringLiteral("a.png"), QStringLiteral("A")}));
}

// The focus starts in the first field, labels show mnemonics, and Enter with the required
// field empty says what is missing instead of closing the dialog without effect.
TEST(StandardDialogs, FieldDialogsTakeTypingAndSayWhatIsMissing) {
    QWidget parent;
    parent.show();
    const std::shared_ptr<EngineDialogProvider> dialogs = createStandardDialogs();
    std::vector<std::optional<QString>> answers;
    dialogs->askHyperlink(&parent, QString(), [&](std::optional<QString> address) { answers.push_back(address); });
    auto* dialog = parent.findChild<FieldsDialog*>();
    ASSERT_NE(dialog, nullptr);
    auto* field = dialog->findChild<QLineEdit*>();
    ASSERT_TRUE(lwtest::waitFor([&] { return dialog->isVisible(); }));
    ASSERT_EQ(dialog->focusWidget(), field);

    QTest::keyClick(dialog->focusWidget(), Qt::Key_Return);
    EXPECT_TRUE(answers.empty());
    EXPECT_TRUE(dialog->isVisible());
    const QList<QLabel*> labels = dialog->findChildren<QLabel*>();
    EXPECT_TRUE(std::any_of(labels.cbegin(), labels.cend(),
                            [](QLabel* l) { return l->isVisible() && l->text().contains(QStringLiteral("address")); }))
        << "the dialog says what is missing";

    QTest::keyClicks(dialog->focusWidget(), QStringLiteral("http://new.example/"));
    QTest::keyClick(dialog->focusWidget(), Qt::Key_Return);
    ASSERT_EQ(answers.size(), 1u);
    EXPECT_EQ(answers.at(0), QStringLiteral("http://new.example/"));

    dialogs->askObject(&parent, ObjectChoice{}, [](std::optional<ObjectChoice>) {});
    FieldsDialog* object = parent.findChildren<FieldsDialog*>().last();
    for (QLabel* label : object->findChildren<QLabel*>()) {
        if (label->text().startsWith(QLatin1Char('&'))) {
            EXPECT_NE(label->buddy(), nullptr) << label->text().toStdString() << " would show its ampersand";
        }
    }
    object->reject();
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
