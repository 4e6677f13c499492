"""Bars moved with real mouse drags: the Format toolbar floated off its dock and narrowed by
its edge until its buttons wrap, the menu bar docked on the left; after an exit and a restart
the floating bar is back with the same shape and place, and the menus drop from the left."""

import sys

import e2e

PAGE = b"""<!DOCTYPE html>
<html><head><meta charset="utf-8"><title>bars</title></head>
<body><p>Loomwrite keeps its bars.</p></body></html>
"""

# The Format toolbar's handle and the menu bar's handle on a 1280-pixel-wide window at the
# first-run layout.
FORMAT_HANDLE = (383, 41)
MENU_HANDLE = (4, 12)


def drag(s, window, start, end):
    """Presses at start (window coordinates) and moves there in steps, as a hand would."""
    s.xdotool("mousemove", "--window", window, str(start[0]), str(start[1]))
    s.xdotool("mousedown", "1")
    for i in range(1, 6):
        x = start[0] + (end[0] - start[0]) * i // 5
        y = start[1] + (end[1] - start[1]) * i // 5
        s.xdotool("mousemove", "--window", window, str(x), str(y))
    s.xdotool("mouseup", "1")


def geometry(s, window, check=True):
    out = s.xdotool("getwindowgeometry", "--shell", window, check=check)
    values = dict(line.split("=", 1) for line in out.splitlines() if "=" in line)
    if not check and "X" not in values:
        return None
    return tuple(int(values[k]) for k in ("X", "Y", "WIDTH", "HEIGHT"))


def settled_geometry(s, window):
    """The window's geometry once two readings a moment apart agree."""
    last = [None]

    def steady():
        now = geometry(s, window)
        same = now == last[0]
        last[0] = now
        return now if same else None
    return e2e.wait_for("the window to settle", steady, 10, step=0.2)


def floating_bars(s, main):
    """The program's visible windows titled as a bar is, with their geometry."""
    bars = {}
    for w in s.visible_windows():
        if w != main and s.xdotool("getwindowname", w, check=False) in ("Standard", "Format", "Insert"):
            # A window that went between the listing and this look is no bar of ours.
            g = geometry(s, w, check=False)
            if g:
                bars[w] = g
    return bars


def start(s, page, first_run=True):
    s.start(page)
    window = s.find_window("bars.html - Loomwrite")
    s.focus(window)
    s.xdotool("windowsize", "--sync", window, "1280", "860")
    if first_run:
        # Found by its left margin, which a menu bar docked on the left would cover.
        s.wait_for_page_text(window)
    return window


def exit_through_file_menu(s, window):
    """Opens File with Alt+F, checks it drops from the menu bar on the left side, and
    chooses Exit."""
    before = set(s.visible_windows())
    s.key("alt+f")
    popup = e2e.wait_for("the File menu", lambda: set(s.visible_windows()) - before, 10)
    x, y, _, _ = settled_geometry(s, popup.pop())
    # Dropped from the top edge the menu would start right under the first row.
    if y < 40:
        raise e2e.Failure("the File menu opened at %d,%d, not from a menu bar on the left" % (x, y))
    s.key("x")
    e2e.wait_for("the program to end", lambda: s.proc.poll() is not None, 30)


def test_a_floated_and_narrowed_bar_comes_back_after_a_restart(s):
    page = s.path("bars.html")
    with open(page, "wb") as f:
        f.write(PAGE)
    window = start(s, page)
    if floating_bars(s, window):
        raise e2e.Failure("a bar floats before any was moved")

    drag(s, window, FORMAT_HANDLE, (300, 500))
    bars = e2e.wait_for("the Format toolbar to float", lambda: floating_bars(s, window), 10)
    (bar, _), = bars.items()
    x, y, width, height = settled_geometry(s, bar)
    if width < 400:
        raise e2e.Failure("the floated bar should keep its docked row, it is %d wide" % width)

    # The right edge dragged in to about a third: the buttons wrap into more rows.
    s.xdotool("mousemove", str(x + width - 2), str(y + height // 2))
    s.xdotool("mousedown", "1")
    for step in range(1, 6):
        s.xdotool("mousemove", str(x + width - 2 - (width * 2 // 3) * step // 5), str(y + height // 2))
    s.xdotool("mouseup", "1")
    e2e.wait_for("the bar to take its wrapped shape",
                 lambda: (lambda g: g[2] < width * 2 // 3 and g[3] > height)(geometry(s, bar)), 10)
    # The pointer's last moves may still be on their way: the shape it is left with counts.
    narrowed = settled_geometry(s, bar)

    # The menu bar goes to the left side; the File menu still opens from it.
    drag(s, window, MENU_HANDLE, (8, 400))
    exit_through_file_menu(s, window)

    window = start(s, page, first_run=False)
    restored = e2e.wait_for("the floating bar after the restart", lambda: floating_bars(s, window), 20)
    (_, (rx, ry, rwidth, rheight)), = restored.items()
    if (rwidth, rheight) != narrowed[2:]:
        raise e2e.Failure("the bar came back %dx%d, it was left %dx%d" % (rwidth, rheight, *narrowed[2:]))
    if abs(rx - narrowed[0]) > 30 or abs(ry - narrowed[1]) > 30:
        raise e2e.Failure("the bar came back at %d,%d, it was left at %d,%d" % (rx, ry, *narrowed[:2]))
    # The menu bar is back on the left, and its menus work: File > Exit ends the program.
    exit_through_file_menu(s, window)


if __name__ == "__main__":
    sys.exit(e2e.run([test_a_floated_and_narrowed_bar_comes_back_after_a_restart]))
