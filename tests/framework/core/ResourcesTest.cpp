#include "framework/core/Resources.h"

#include <gtest/gtest.h>

using namespace lw;

TEST(MenuTemplate, ParsesNestedPopupsEndingTogether) {
    // A popup that is the last entry of its level ends both levels with its last child.
    static const MenuTemplateItem items[] = {
        {MF_POPUP, 0, "&File"},
        {0, 1, "&New"},
        {MF_END, 2, "E&xit"},
        {MF_POPUP | MF_END, 0, "&Insert"},
        {0, 3, "&Image"},
        {MF_POPUP | MF_END, 0, "Input"},
        {MF_END, 4, "&Hidden"},
    };
    auto menu = parseMenuTemplate(items);
    ASSERT_TRUE(menu);
    ASSERT_EQ(menu->size(), 2u);
    EXPECT_EQ((*menu)[0].text, "&File");
    EXPECT_EQ((*menu)[0].children.size(), 2u);
    const MenuNode& insert = (*menu)[1];
    ASSERT_EQ(insert.children.size(), 2u);
    EXPECT_TRUE(insert.children[1].popup);
    ASSERT_EQ(insert.children[1].children.size(), 1u);
    EXPECT_EQ(insert.children[1].children[0].id, 4u);
}

TEST(MenuTemplate, RejectsUnterminatedAndTrailingEntries) {
    static const MenuTemplateItem open[] = {{MF_POPUP | MF_END, 0, "&File"}, {0, 1, "&New"}};
    EXPECT_FALSE(parseMenuTemplate(open));
    static const MenuTemplateItem trailing[] = {
        {MF_POPUP | MF_END, 0, "&File"}, {MF_END, 1, "&New"}, {0, 2, "extra"}};
    EXPECT_FALSE(parseMenuTemplate(trailing));
}

TEST(CommandText, SplitsAtFirstLineFeed) {
    static const StringResource strings[] = {
        {1, "Prompt\nTip"}, {2, "\nTip only"}, {3, "Prompt only"}, {4, "a\nb\nc"}};
    CResourceTables::instance().addStrings(strings);
    EXPECT_EQ(AfxCommandText(1).prompt, "Prompt");
    EXPECT_EQ(AfxCommandText(1).tooltip, "Tip");
    EXPECT_EQ(AfxCommandText(2).prompt, "");
    EXPECT_EQ(AfxCommandText(2).tooltip, "Tip only");
    EXPECT_EQ(AfxCommandText(3).tooltip, "");
    EXPECT_EQ(AfxCommandText(4).tooltip, "b\nc");
    EXPECT_EQ(AfxCommandText(99).prompt, "");
    EXPECT_FALSE(CResourceTables::instance().hasString(99));
}
