"""The Format toolbar with real mouse events: select a word, choose 24 in the size box and a
colour from the fore colour palette, save: the word has size 6 and that colour."""

import re
import sys

import e2e

PAGE = b"""<!DOCTYPE html>
<html><head><meta charset="utf-8"><title>bar</title></head>
<body><p>Loomwrite makes pages.</p></body></html>
"""

# Where the Format toolbar's controls are on a 1280-pixel-wide window at its first-run layout.
SIZE_BOX = (614, 41)
SIZE_ITEM_24 = (610, 129)
FORE_COLOR_ARROW = (842, 41)
PALETTE_BLUE = (913, 93)


def read(path):
    with open(path, "rb") as f:
        return f.read()


def select_first_word(s, window):
    x, y = s.wait_for_page_text(window)
    s.xdotool("mousemove", "--window", window, str(x + 10), str(y))
    s.xdotool("click", "--repeat", "2", "--delay", "80", "1")


def open_popup(s, window, at):
    before = s.visible_windows()
    s.click(window, *at)
    e2e.wait_for("a drop-down to open", lambda: len(s.visible_windows()) > len(before), 10)


def test_size_and_colour_from_the_format_bar(s):
    page, window, _ = s.open_page("bar.html", PAGE)
    s.xdotool("windowsize", "--sync", window, "1280", "860")
    select_first_word(s, window)
    open_popup(s, window, SIZE_BOX)
    s.click(window, *SIZE_ITEM_24)
    select_first_word(s, window)
    open_popup(s, window, FORE_COLOR_ARROW)
    s.click(window, *PALETTE_BLUE)
    s.key("ctrl+s")

    def formatted():
        m = re.search(rb"<font[^>]*>Loomwrite</font>|<font[^>]*><font[^>]*>Loomwrite", read(page))
        return m and b'size="6"' in m.group(0) and b"color=" in m.group(0) and m.group(0)

    tag = e2e.wait_for("the formatted word on disk", formatted, 20)
    colour = re.search(rb'color="([^"]+)"', tag).group(1).lower()
    if colour in (b"#ff0000", b"red"):
        raise e2e.Failure("the colour is the button's initial one, not the palette's: %r" % tag)


if __name__ == "__main__":
    sys.exit(e2e.run([test_size_and_colour_from_the_format_bar]))
