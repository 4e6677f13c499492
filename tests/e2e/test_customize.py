"""The Customize dialog opened from a bar's context menu with the real mouse; while it is open
the page still takes typing and saves it."""

import sys

import e2e

PAGE = e2e.PAGE
read = e2e.read


def test_customize_from_the_bar_menu_leaves_the_page_editable(s):
    page, window, (x, y) = s.open_page("customize.html", PAGE)
    before = set(s.visible_windows())
    # The Standard toolbar's gripper, at the left end of the first row of bars.
    s.xdotool("mousemove", "--window", window, "5", "41")
    s.xdotool("click", "3")
    e2e.wait_for("the bar context menu", lambda: set(s.visible_windows()) - before, 10)
    # "Customize..." is the menu's last item.
    s.key("Up", "Return")
    s.find_window("^Customize$", timeout=20)
    s.click(window, x + 80, y)
    s.key("End")
    s.type(" typed beside the dialog")
    s.key("ctrl+s")
    e2e.wait_for("the typed text on disk", lambda: b"typed beside the dialog" in read(page), 20)


if __name__ == "__main__":
    sys.exit(e2e.run([test_customize_from_the_bar_menu_leaves_the_page_editable], window_manager=True))
