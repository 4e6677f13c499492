// Spell checking on the real engine with the dictionaries converted at build time: the page's
// language picks the dictionary, a misspelt word gets suggestions in the page's context menu,
// and replacing it is one undo step that leaves the rest of the page as it was.

#include "EngineHarness.h"
#include "engine/chromium/Spelling.h"

#include <QApplication>
#include <QMenu>
#include <QWebEnginePage>
#include <QWebEngineProfile>

#include <gtest/gtest.h>

using namespace lw;
using lwtest::EngineHarness;

namespace {

TEST(Spelling, ChoosesTheDictionaryOfEachLanguageOrOfItsFamily) {
    const QStringList available{QStringLiteral("en-GB"), QStringLiteral("en-US"), QStringLiteral("fr-FR")};
    EXPECT_EQ(spelling::dictionariesFor({QStringLiteral("en_us")}, available), QStringList{QStringLiteral("en-US")});
    EXPECT_EQ(spelling::dictionariesFor({QStringLiteral("fr-CA"), QStringLiteral("en")}, available),
              (QStringList{QStringLiteral("fr-FR"), QStringLiteral("en-GB")}));
    EXPECT_EQ(spelling::dictionariesFor({QStringLiteral("en-US"), QStringLiteral("en")}, available),
              QStringList{QStringLiteral("en-US")});
    EXPECT_TRUE(spelling::dictionariesFor({QStringLiteral("de"), QString()}, available).isEmpty());
}

// The visible context menu, if one is open.
QMenu* openMenu() {
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (auto* menu = qobject_cast<QMenu*>(widget); menu && menu->isVisible())
            return menu;
    }
    return nullptr;
}

TEST(ChromiumEngineSpelling, AMisspeltWordIsReplacedFromTheContextMenuInOneUndoStep) {
    ASSERT_TRUE(spelling::availableLanguages().contains(QStringLiteral("en-US")))
        << "the build converts the en_US hunspell dictionary";
    EngineHarness h;
    const QByteArray page = "<!DOCTYPE html><html lang=\"en\"><head><meta charset=\"utf-8\"></head><body>"
                            "<p id=\"p\">A smal cat</p></body></html>";
    ASSERT_TRUE(h.loadEditable(h.writePage(QStringLiteral("page.html"), page)));
    QWebEngineProfile* profile = h.engine->page()->profile();
    EXPECT_TRUE(profile->isSpellCheckEnabled());
    EXPECT_TRUE(profile->spellCheckLanguages().contains(QStringLiteral("en-US")));
    h.placeCaretAtEndOf(QStringLiteral("#p"));
    h.type(QStringLiteral(" "));
    const QVariantList at = h.run(QStringLiteral("(() => { const t = document.querySelector('#p').firstChild;"
                                                 " const r = document.createRange(); r.setStart(t, 3); r.setEnd(t, 4);"
                                                 " const b = r.getBoundingClientRect();"
                                                 " return [Math.round(b.left + b.width / 2), Math.round(b.top + b.height / 2)]; })()"))
                                .toList();
    ASSERT_EQ(at.size(), 2);
    const QPoint point(at.at(0).toInt(), at.at(1).toInt());

    // The checker marks the word in its own time: right-click until the menu offers a fix.
    QAction* fix = nullptr;
    ASSERT_TRUE(lwtest::waitFor([&] {
        if (QMenu* menu = openMenu())
            menu->close();
        QTest::mouseClick(h.engine->focusWindow(), Qt::RightButton, Qt::NoModifier, point);
        if (!lwtest::waitFor([] { return openMenu() != nullptr; }, 2000))
            return false;
        for (QAction* action : openMenu()->actions()) {
            if (action->text() == QStringLiteral("small"))
                fix = action;
        }
        return fix != nullptr;
    })) << "no suggestion for the misspelt word";
    fix->trigger();
    openMenu()->close();
    EXPECT_TRUE(lwtest::waitFor([&] { return h.bodyText().startsWith(QStringLiteral("A small cat")); }))
        << h.bodyText().toStdString();
    EXPECT_EQ(h.exec(43), S_OK);
    EXPECT_TRUE(h.bodyText().startsWith(QStringLiteral("A smal cat"))) << h.bodyText().toStdString();
}

} // namespace
