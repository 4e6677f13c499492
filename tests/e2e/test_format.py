"""Select a word with the mouse, choose Text > Bold from the menu with the mouse, type, save: the word
is bold and the keys went to the page."""

import re
import sys

import e2e

PAGE = b"""<!DOCTYPE html>
<html><head><meta charset="utf-8"><title>format</title></head>
<body><p>Loomwrite makes pages.</p></body></html>
"""


def read(path):
    with open(path, "rb") as f:
        return f.read()


def test_bold_from_the_text_menu(s):
    page, window, (x, y) = s.open_page("format.html", PAGE)
    # Double-click the first word of the page to select it.
    s.xdotool("mousemove", "--window", window, str(x + 10), str(y))
    s.xdotool("click", "--repeat", "2", "--delay", "80", "1")
    # The Text menu on the menu bar, then its Bold item once the menu's window shows.
    before = s.visible_windows()
    s.click(window, 211, 12)
    e2e.wait_for("the Text menu to open", lambda: len(s.visible_windows()) > len(before), 10)
    s.click(window, 236, 79)
    # The menu gave the keyboard back to the page: keys typed now land in it.
    s.key("End")
    s.type("!")
    s.key("ctrl+s")
    e2e.wait_for("the bold word on disk",
                 lambda: re.search(rb"<(b|strong)>Loomwrite</(b|strong)>|font-weight: ?(bold|700)[^>]*>Loomwrite",
                                   read(page)), 20)
    e2e.wait_for("the typed key on disk", lambda: b"pages.!" in read(page), 20)


if __name__ == "__main__":
    sys.exit(e2e.run([test_bold_from_the_text_menu]))
