// The colour dialog: its pages, and a colour picked on either of them is the answer.

#include "framework/ui/ColorDialog.h"

#include <QColorDialog>
#include <QTabWidget>
#include <QToolButton>
#include <gtest/gtest.h>

using namespace lw;

TEST(ColorDialogTest, StandardAndCustomPagesBothChooseTheColour) {
    CMFCColorDialog dialog(QColor(255, 0, 0));
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Colors"));
    ASSERT_EQ(dialog.GetPages()->count(), 2);
    EXPECT_EQ(dialog.GetPages()->tabText(0), QStringLiteral("Standard"));
    EXPECT_EQ(dialog.GetPages()->tabText(1), QStringLiteral("Custom"));
    EXPECT_EQ(dialog.GetColor(), QColor(255, 0, 0));

    const QList<QToolButton*> swatches = dialog.GetPages()->widget(0)->findChildren<QToolButton*>();
    ASSERT_EQ(swatches.size(), qsizetype(CMFCColorDialog::StandardColors().size()));
    swatches[1]->click();
    EXPECT_EQ(dialog.GetColor(), CMFCColorDialog::StandardColors()[1]);

    auto* custom = qobject_cast<QColorDialog*>(dialog.GetPages()->widget(1));
    ASSERT_NE(custom, nullptr);
    custom->setCurrentColor(QColor(12, 34, 56));
    EXPECT_EQ(dialog.GetColor(), QColor(12, 34, 56));
}
