"""Under a real window manager: a page opened from the command line fills the document area
as a tab, so a click in the middle of the window lands in it; full screen covers the screen
with only the menu bar and the "Full Screen" bar, and its button brings the window back."""

import sys
import time

import e2e

PAGE = e2e.PAGE
read = e2e.read


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


def splitter_in_the_middle(s, window):
    """Whether a divider runs down the middle of the document area (not page-white there)."""
    width, height, pixels = s.grab_gray(window)
    for x in range(width // 2 - 8, width // 2 + 9):
        if all(pixels[y * width + x] < 250 for y in range(height // 3, height * 2 // 3, 7)):
            return True
    return False


def test_a_tab_dragged_to_the_other_group_takes_its_group_along(s):
    _, window, _ = s.open_page("drag.html", PAGE)
    s.key("ctrl+n")
    s.find_window("HTML Document1 - Loomwrite", timeout=20)
    # Window > New Vertical Tab Group, the first item enabled while tabs are on.
    s.key("alt+w", "Return")
    e2e.wait_for("two groups side by side", lambda: splitter_in_the_middle(s, window), 20)
    _, _, width, _ = s.geometry(window)
    tab_y = e2e.wait_for("the tab row", lambda: tab_row(s, window), 20)
    s.xdotool("mousemove", "--window", window, "40", str(tab_y))
    s.xdotool("mousedown", "1")
    for step in range(1, 9):
        s.xdotool("mousemove", "--window", window, str(40 + (width * 3 // 4 - 40) * step // 8),
                  str(tab_y + 300 * step // 8))
        time.sleep(0.05)
    s.xdotool("mouseup", "1")
    e2e.wait_for("the emptied group to go", lambda: not splitter_in_the_middle(s, window), 20)
    s.find_window("drag.html - Loomwrite", timeout=20)


def tab_row(s, window):
    """The height of the tab row's text: the first row below the bars where the left tab's
    pale fill starts, found as the first light-but-not-white band left of x = 12."""
    width, height, pixels = s.grab_gray(window)
    for y in range(40, min(200, height)):
        row = pixels[y * width + 20:y * width + 60]
        if all(150 < v < 235 for v in row[:4]) and min(row) < 100:
            return y
    return None


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
    sys.exit(e2e.run([test_a_click_in_the_middle_lands_in_the_page,
                      test_a_tab_dragged_to_the_other_group_takes_its_group_along, test_full_screen_and_back],
                     window_manager=True))
