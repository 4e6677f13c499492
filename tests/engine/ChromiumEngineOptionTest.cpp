// The editing options as behaviours of the real engine, and the element handling they change:
// auto URL detection, atomic selection, visibility in design, the edit focus UI, multiple
// selection, 2D position, live resize and positioning.

#include "EngineHarness.h"

#include <gtest/gtest.h>

using namespace lw;
using lwtest::EngineHarness;

namespace {

const QByteArray kPage =
    "<!DOCTYPE html><html><head><meta charset=\"utf-8\"></head><body style=\"margin:0\">"
    "<p id=\"typed\">start</p>"
    "<p id=\"atoms\">a <span id=\"atom\" atomicselection=\"true\">whole unit</span> b</p>"
    "<p id=\"hidden\" style=\"visibility:hidden\">hidden</p>"
    "<p><img id=\"first\" src=\"a.png\" width=\"40\" height=\"30\"> <img id=\"second\" src=\"b.png\" "
    "width=\"40\" "
    "height=\"30\"></p>"
    "<div id=\"box\" style=\"position:absolute;left:200px;top:300px;width:100px;height:50px\">box</div>"
    "</body></html>";

class ChromiumEngineOption : public testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(h.loadEditable(h.writePage(QStringLiteral("page.html"), kPage))); }

    void setOption(quint32 cmd, bool on) {
        const Variant value = Variant::fromBool(on);
        ASSERT_EQ(h.engine->exec(cmd, &value, nullptr), S_OK);
        h.settle();
    }

    // Sends a mouse event to the element matching selector, at x, y from its top left corner.
    void mouse(const QString& type, const QString& selector, double x, double y, bool ctrl = false) {
        h.run(QStringLiteral(
                  "(() => { const e = document.querySelector(%1); const r = e.getBoundingClientRect();"
                  " const at = document.elementFromPoint(r.left + %3, r.top + %4) || e;"
                  " at.dispatchEvent(new MouseEvent(%2, {bubbles: true, cancelable: true, button: 0,"
                  " clientX: r.left + %3, clientY: r.top + %4, ctrlKey: %5})); return 1; })()")
                  .arg(scriptLiteral(selector), scriptLiteral(type))
                  .arg(x)
                  .arg(y)
                  .arg(ctrl ? QStringLiteral("true") : QStringLiteral("false")));
        h.settle();
    }

    void click(const QString& selector, bool ctrl = false) {
        mouse(QStringLiteral("mousedown"), selector, 2, 2, ctrl);
        mouse(QStringLiteral("mouseup"), selector, 2, 2, ctrl);
    }

    double number(const QString& script) { return h.run(script).toDouble(); }

    EngineHarness h;
};

TEST_F(ChromiumEngineOption, AutoUrlDetectLinksATypedAddressOnlyWhileOn) {
    h.placeCaretAtEndOf(QStringLiteral("#typed"));
    h.type(QStringLiteral(" www.example.com/a. "));
    ASSERT_TRUE(lwtest::waitFor([&] { return h.count(QStringLiteral("#typed a")) == 1; }));
    EXPECT_EQ(h.run(QStringLiteral("document.querySelector('#typed a').getAttribute('href')")).toString(),
              QStringLiteral("http://www.example.com/a"));
    EXPECT_EQ(h.run(QStringLiteral("document.querySelector('#typed a').textContent")).toString(),
              QStringLiteral("www.example.com/a"));
    h.type(QStringLiteral("x"));
    ASSERT_TRUE(
        lwtest::waitFor([&] { return h.html(QStringLiteral("#typed")).endsWith(QStringLiteral("x")); }));
    EXPECT_EQ(h.run(QStringLiteral("document.querySelector('#typed a').textContent")).toString(),
              QStringLiteral("www.example.com/a"))
        << "typing goes on after the link";

    setOption(2400, false);
    h.type(QStringLiteral(" http://other.example/ z"));
    ASSERT_TRUE(
        lwtest::waitFor([&] { return h.html(QStringLiteral("#typed")).endsWith(QStringLiteral("z")); }));
    EXPECT_EQ(h.count(QStringLiteral("#typed a")), 1);
}

TEST_F(ChromiumEngineOption, AtomicSelectionSelectsMarkedElementsWhole) {
    h.selectText(QStringLiteral("#atom"), 2, 4);
    EXPECT_EQ(h.run(QStringLiteral("getSelection().toString()")).toString(), QStringLiteral("ol"));

    setOption(2399, true);
    h.selectText(QStringLiteral("#atom"), 2, 4);
    ASSERT_TRUE(lwtest::waitFor([&] {
        return h.run(QStringLiteral("getSelection().toString()")).toString() == QStringLiteral("whole unit");
    }));
    h.selectText(QStringLiteral("#atoms"), 0, 1);
    EXPECT_EQ(h.run(QStringLiteral("getSelection().toString()")).toString(), QStringLiteral("a"));
}

TEST_F(ChromiumEngineOption, HiddenElementsShowWhileEditingUnlessVisibilityIsRespected) {
    const QString visibility =
        QStringLiteral("getComputedStyle(document.getElementById('hidden')).visibility");
    EXPECT_EQ(h.run(visibility).toString(), QStringLiteral("visible"));
    setOption(2405, true);
    EXPECT_EQ(h.run(visibility).toString(), QStringLiteral("hidden"));
    setOption(2405, false);
    EXPECT_EQ(h.exec(2126), S_OK);
    EXPECT_EQ(h.run(visibility).toString(), QStringLiteral("hidden")) << "a reader sees what the page says";
    EXPECT_TRUE(h.save().contains("style=\"visibility:hidden\""));
}

TEST_F(ChromiumEngineOption, ASelectedElementShowsItsResizeHandleUnlessTheEditFocusUiIsOff) {
    click(QStringLiteral("#first"));
    EXPECT_EQ(h.run(QStringLiteral("getSelection().getRangeAt(0).cloneContents().firstChild.id")).toString(),
              QStringLiteral("first"));
    EXPECT_EQ(h.count(QStringLiteral("[data-lw-handle]")), 1);
    EXPECT_EQ(h.engine->isDirty(), S_FALSE) << "frames and handles are no change";
    EXPECT_FALSE(h.save().contains("data-lw"));

    setOption(2404, true);
    EXPECT_EQ(h.count(QStringLiteral("[data-lw-handle]")), 0);
}

TEST_F(ChromiumEngineOption, LiveResizeResizesWhileDraggingOtherwiseOnRelease) {
    const QString width = QStringLiteral("document.getElementById('first').getBoundingClientRect().width");
    for (const bool live : {true, false}) {
        SCOPED_TRACE(live ? "live" : "on release");
        setOption(2398, live);
        click(QStringLiteral("#first"));
        const double before = number(width);
        mouse(QStringLiteral("mousedown"), QStringLiteral("[data-lw-handle]"), 4, 4);
        mouse(QStringLiteral("mousemove"), QStringLiteral("[data-lw-handle]"), 24, 14);
        EXPECT_EQ(number(width), live ? before + 20 : before);
        mouse(QStringLiteral("mouseup"), QStringLiteral("#first"), 0, 0);
        EXPECT_EQ(number(width), before + 20);
        EXPECT_EQ(h.exec(43), S_OK);
        EXPECT_EQ(number(width), before) << "one undo takes the resize back";
    }
}

TEST_F(ChromiumEngineOption, TwoDPositionMovesAbsoluteElementsByTheirFrameAndUndoesTheMove) {
    const QString left = QStringLiteral("document.getElementById('box').style.left");
    mouse(QStringLiteral("mousedown"), QStringLiteral("#box"), 1, 20);
    mouse(QStringLiteral("mousemove"), QStringLiteral("#box"), 41, 40);
    mouse(QStringLiteral("mouseup"), QStringLiteral("#box"), 41, 40);
    EXPECT_EQ(h.run(left).toString(), QStringLiteral("200px")) << "without 2D position nothing moves";

    setOption(2394, true);
    mouse(QStringLiteral("mousedown"), QStringLiteral("#box"), 1, 20);
    mouse(QStringLiteral("mousemove"), QStringLiteral("#box"), 41, 40);
    mouse(QStringLiteral("mouseup"), QStringLiteral("#box"), 41, 40);
    EXPECT_EQ(h.run(left).toString(), QStringLiteral("240px"));
    EXPECT_EQ(h.run(QStringLiteral("document.getElementById('box').style.top")).toString(),
              QStringLiteral("320px"));
    EXPECT_EQ(h.exec(43), S_OK);
    EXPECT_EQ(h.run(left).toString(), QStringLiteral("200px"));
}

TEST_F(ChromiumEngineOption, PositioningLatchesFromTheElementAndKeepsItWhereItWas) {
    click(QStringLiteral("#first"));
    EXPECT_EQ(h.flags(2396), OLECMDF_SUPPORTED | OLECMDF_ENABLED | OLECMDF_LATCHED);
    EXPECT_EQ(h.flags(2395), OLECMDF_SUPPORTED | OLECMDF_ENABLED);
    EXPECT_EQ(h.value(2397), Variant::fromBool(false));
    const QString rect =
        QStringLiteral("JSON.stringify(document.getElementById('first').getBoundingClientRect())");
    const QString before = h.run(rect).toString();

    EXPECT_EQ(h.exec(2397, Variant::fromBool(true)), S_OK);
    EXPECT_EQ(h.run(QStringLiteral("getComputedStyle(document.getElementById('first')).position")).toString(),
              QStringLiteral("absolute"));
    EXPECT_EQ(h.run(rect).toString(), before);
    EXPECT_EQ(h.flags(2395), OLECMDF_SUPPORTED | OLECMDF_ENABLED | OLECMDF_LATCHED);
    EXPECT_EQ(h.value(2397), Variant::fromBool(true));

    EXPECT_EQ(h.exec(2397, Variant::fromBool(false)), S_OK);
    EXPECT_EQ(h.run(QStringLiteral("document.getElementById('first').hasAttribute('style')")).toBool(),
              false);

    h.placeCaretAtEndOf(QStringLiteral("#typed"));
    EXPECT_EQ(h.flags(2397), OLECMDF_SUPPORTED) << "nothing to position";
    h.placeCaretAtEndOf(QStringLiteral("#box"));
    EXPECT_EQ(h.flags(2395), OLECMDF_SUPPORTED | OLECMDF_ENABLED | OLECMDF_LATCHED);
}

TEST_F(ChromiumEngineOption, MultipleSelectionPicksSeveralElementsForOneCommand) {
    click(QStringLiteral("#first"));
    click(QStringLiteral("#second"), true);
    EXPECT_EQ(h.exec(2397, Variant::fromBool(true)), S_OK);
    EXPECT_EQ(h.count(QStringLiteral("img[style*=absolute]")), 1)
        << "without multiple selection one is picked";
    h.exec(43);

    setOption(2393, true);
    click(QStringLiteral("#first"));
    click(QStringLiteral("#second"), true);
    EXPECT_EQ(h.count(QStringLiteral("lw-overlay > div:not([data-lw-handle])")), 2) << "both are framed";
    EXPECT_EQ(h.exec(17), S_OK);
    EXPECT_EQ(h.count(QStringLiteral("img")), 0);
    EXPECT_EQ(h.exec(43), S_OK);
    EXPECT_EQ(h.count(QStringLiteral("img")), 2);
}

} // namespace
