"""Under a real window manager: a page opened from the command line fills the document area
as a tab, so a click in the middle of the window lands in it; full screen covers the screen
with only the menu bar and the "Full Screen" bar, and its button brings the window back."""

import sys

import e2e

PAGE = b"""<!DOCTYPE html>
<html><head><meta charset="utf-8"><title>e2e</title></head>
<body><p>First line of the page.</p></body></html>
"""


def read(path):
    with open(path, "rb") as f:
        return f.read()


def test_a_click_in_the_middle_lands_in_the_page(s):
    page, window, _ = s.open_page("middle.html", PAGE)
    x, y, width, height = s.geometry(window)
    if width < 1000 or height < 700:
        raise e2e.Failure("the main window is not maximised: %dx%d" % (width, height))
    s.click(window, width // 2, height // 2)
    s.key("ctrl+End")
    s.type("Clicked in the middle")
    s.key("ctrl+s")
    e2e.wait_for("the typed text on disk", lambda: b"Clicked in the middle" in read(page), 20)


def test_full_screen_and_back(s):
    page, window, _ = s.open_page("full.html", PAGE)
    before = s.geometry(window)
    s.key("alt+v", "f")
    bar = s.find_window("^Full Screen$", timeout=20)
    e2e.wait_for("the window to cover the screen", lambda: s.geometry(window) == (0, 0, 1280, 900), 20)
    bx, by, _, _ = s.geometry(bar)
    if abs(bx - 100) > 30 or abs(by - 100) > 40:
        raise e2e.Failure("the Full Screen bar is at %d,%d" % (bx, by))
    s.click(bar, 40, 12)
    e2e.wait_for("the window to come back", lambda: s.geometry(window) == before, 20)
    gone = s.xdotool("search", "--onlyvisible", "--name", "^Full Screen$", check=False)
    if gone:
        raise e2e.Failure("the Full Screen bar is still shown")
    s.key("alt+f", "x")
    if s.wait_exit() != 0:
        raise e2e.Failure("the program did not end cleanly")
    del page


if __name__ == "__main__":
    sys.exit(e2e.run([test_a_click_in_the_middle_lands_in_the_page, test_full_screen_and_back],
                     window_manager=True))
