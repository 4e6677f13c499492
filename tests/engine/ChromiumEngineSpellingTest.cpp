// Spell checking on the real engine with the dictionaries converted at build time: the
// languages of the page and its elements pick the dictionaries, a misspelt word gets suggestions
// in the page's context menu, and replacing it is one undo step that leaves the rest of the page
// as it was; a word added to the user's word list is accepted at once and the page is untouched.

#include "EngineHarness.h"
#include "engine/chromium/PersonalDictionary.h"
#include "engine/chromium/Spelling.h"
#include "engine/chromium/WordList.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
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
    EXPECT_EQ(spelling::dictionariesFor({QStringLiteral("de")}, {QStringLiteral("de-BE"), QStringLiteral("de-DE")}),
              QStringList{QStringLiteral("de-DE")});
}

TEST(SpellingWordList, ReadsOnlyWordsAndAddsWithoutLosingALine) {
    lwtest::ScratchDir scratch;
    const QByteArray damaged = "good\n\xff\xfeword\ntwo words\n" + QByteArray(120, 'a') +
                               "\na/b\nbell\x07\n\n Yak \r\nZebra";
    const QString path = scratch.file(QStringLiteral("words.txt"));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(damaged);
    file.close();
    const spelling::WordList list(path);
    EXPECT_EQ(list.read(), (QStringList{QStringLiteral("Yak"), QStringLiteral("Zebra"), QStringLiteral("good")}));
    QString error;
    EXPECT_TRUE(list.add(QStringLiteral("na\u00efve"), &error)) << error.toStdString();
    EXPECT_TRUE(list.add(QStringLiteral("good"), &error)) << error.toStdString();
    EXPECT_FALSE(list.add(QStringLiteral("two words"), &error));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), damaged + "\nna\xc3\xafve\n");

    const spelling::WordList unwritable(scratch.file(QStringLiteral("words.txt/words.txt")));
    EXPECT_FALSE(unwritable.add(QStringLiteral("word"), &error));
    EXPECT_FALSE(error.isEmpty());
}

// The visible context menu, if one is open.
QMenu* openMenu() {
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (auto* menu = qobject_cast<QMenu*>(widget); menu && menu->isVisible())
            return menu;
    }
    return nullptr;
}

// Right-clicks the point in the harness's page; whether its menu offers to add a misspelt
// word, or nothing when no menu opened.
std::optional<bool> offersToAdd(EngineHarness& h, QPoint point, QAction** add = nullptr) {
    if (QMenu* menu = openMenu())
        menu->close();
    QTest::mouseClick(h.engine->focusWindow(), Qt::RightButton, Qt::NoModifier, point);
    if (!lwtest::waitFor([] { return openMenu() != nullptr; }, 2000))
        return std::nullopt;
    for (QAction* action : openMenu()->actions()) {
        if (action->text() == QStringLiteral("&Add to Dictionary")) {
            if (add)
                *add = action;
            return true;
        }
    }
    openMenu()->close();
    return false;
}

QPoint middleOfText(EngineHarness& h, const QString& selector, int offset) {
    const QVariantList at =
        h.run(QStringLiteral("(() => { const t = document.querySelector(%1).firstChild;"
                             " const r = document.createRange(); r.setStart(t, %2); r.setEnd(t, %2 + 1);"
                             " const b = r.getBoundingClientRect();"
                             " return [Math.round(b.left + b.width / 2), Math.round(b.top + b.height / 2)]; })()")
                  .arg(scriptLiteral(selector))
                  .arg(offset))
            .toList();
    return at.size() == 2 ? QPoint(at.at(0).toInt(), at.at(1).toInt()) : QPoint();
}

// Right-clicks until three menus in a row offer (or do not offer) to add the word at point. The
// checker marks words in its own time, and a right click now and then finds no mark.
bool menusOffer(EngineHarness& h, QPoint point, bool offer, QAction** add = nullptr) {
    QElapsedTimer clock;
    clock.start();
    for (int agreeing = 0; clock.elapsed() < lwtest::kWaitMs;) {
        agreeing = offersToAdd(h, point, add) == offer ? agreeing + 1 : 0;
        if (agreeing == 3)
            return true;
    }
    return false;
}

TEST(ChromiumEngineSpelling, AWordAddedToTheDictionaryIsAcceptedInEveryPageAndNoPageChanges) {
    // A damaged word list is read past, and kept as it was.
    const QString words = spelling::WordList::defaultPath();
    ASSERT_TRUE(QDir().mkpath(QFileInfo(words).absolutePath()));
    const QByteArray damaged("\xff\xfe\0\nnot a word\n", 15);
    QFile list(words);
    ASSERT_TRUE(list.open(QIODevice::WriteOnly));
    list.write(damaged);
    list.close();

    const QByteArray page = "<!DOCTYPE html><html lang=\"en\"><head><meta charset=\"utf-8\"></head><body>"
                            "<p id=\"p\">The qwxyzzy sat on the vlorp</p></body></html>";
    EngineHarness h;
    EngineHarness other;
    ASSERT_TRUE(h.loadEditable(h.writePage(QStringLiteral("page.html"), page)));
    ASSERT_TRUE(other.loadEditable(other.writePage(QStringLiteral("other.html"), page)));
    const QPoint point = middleOfText(h, QStringLiteral("#p"), 6);
    const QPoint otherWord = middleOfText(h, QStringLiteral("#p"), 24);
    QAction* add = nullptr;
    for (EngineHarness* in : {&other, &h}) {
        in->placeCaretAtEndOf(QStringLiteral("#p"));
        ASSERT_TRUE(menusOffer(*in, point, true, &add));
    }
    add->trigger();
    openMenu()->close();

    for (EngineHarness* in : {&h, &other}) {
        in->engine->focus();
        EXPECT_TRUE(menusOffer(*in, point, false)) << "the added word is still marked";
        // The page was checked again, not merely cleared of its marks.
        EXPECT_TRUE(menusOffer(*in, otherWord, true)) << "the word not added is no longer marked";
        EXPECT_EQ(in->engine->isDirty(), S_FALSE);
        EXPECT_EQ(in->save(), page);
    }
    ASSERT_TRUE(list.open(QIODevice::ReadOnly));
    EXPECT_EQ(list.readAll(), damaged + "qwxyzzy\n");
}

TEST(ChromiumEngineSpelling, APageIsCheckedInTheLanguagesOfItsElementsToo) {
    ASSERT_TRUE(spelling::availableLanguages().contains(QStringLiteral("de-DE")))
        << "the build converts the de_DE hunspell dictionary";
    EngineHarness h;
    const QByteArray page = "<!DOCTYPE html><html lang=\"en-US\"><head><meta charset=\"utf-8\"></head><body>"
                            "<p>Some text</p><p lang=\"de\">Stra\xc3\x9f\x65</p><p lang=\"tlh\">Qapla'</p></body></html>";
    ASSERT_TRUE(h.loadEditable(h.writePage(QStringLiteral("page.html"), page)));
    QWebEngineProfile* profile = h.engine->page()->profile();
    EXPECT_TRUE(lwtest::waitFor([&] {
        return profile->spellCheckLanguages() == QStringList{QStringLiteral("en-US"), QStringLiteral("de-DE")};
    })) << profile->spellCheckLanguages().join(QLatin1Char(' ')).toStdString();
}

TEST(ChromiumEngineSpelling, AMisspeltWordIsReplacedFromTheContextMenuInOneUndoStep) {
    // A dictionary rebuilt with the user's words reloads the checker, which drops its marks for
    // a moment; one an earlier page's language asked for may still be on its way.
    ASSERT_TRUE(lwtest::waitFor([] { return spelling::PersonalDictionary::instance().idle(); }));
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
