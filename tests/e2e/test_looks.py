"""Looks chosen from the View menu by keyboard: each of the eleven changes the window at once,
the choice is stored and a restart comes up in it. Dragging a toolbar in a smart-docking look
shows the docking markers and the preview, and dropping it on the left edge marker docks it
there; in the classic look the same drag leaves the bar floating."""

import os
import re
import subprocess
import sys
import time

import e2e

PAGE = b"""<!DOCTYPE html>
<html><head><meta charset="utf-8"><title>looks</title></head>
<body><p>Loomwrite wears many looks.</p></body></html>
"""

# The Application Look submenu's keys, in menu order, and the look each one chooses.
LOOK_KEYS = [("8", 210), ("5", 209), ("b", 215), ("l", 216), ("s", 217), ("a", 218),
             ("3", 208), ("x", 206), ("7", 219), ("w", 207), ("2", 205)]
FORMAT_HANDLE = (383, 41)
STANDARD_HANDLE = (7, 41)


def grab_rgb(s, window):
    """The window's pixels as (width, height, bytes), three bytes a pixel."""
    shot = subprocess.run(["import", "-window", window, "png:-"], env=s.env, capture_output=True, timeout=20)
    ppm = subprocess.run(["convert", "png:-", "-depth", "8", "ppm:-"], input=shot.stdout,
                         capture_output=True, timeout=20).stdout
    fields = ppm.split(maxsplit=4)
    if len(fields) < 5 or fields[0] != b"P6":
        return None
    return int(fields[1]), int(fields[2]), fields[4]


def chrome(s, window):
    """What the look draws and nothing else moves: the empty right part of the bar rows and of
    the status bar."""
    grabbed = grab_rgb(s, window)
    if not grabbed:
        return None
    width, height, pixels = grabbed
    rows = list(range(2, 58, 3)) + list(range(height - 18, height - 2, 3))
    return b"".join(pixels[(y * width + width - 200) * 3:(y * width + width - 60) * 3] for y in rows)


def stored_look(s):
    path = os.path.join(s.root, "config", "Tarn", "Loomwrite.reg")
    with open(path) as f:
        found = re.search(r'"ApplicationLook"=dword:([0-9a-f]+)', f.read())
    return int(found.group(1), 16) if found else None


def start(s, page):
    s.start(page)
    window = s.find_window("looks.html - Loomwrite")
    s.focus(window)
    s.xdotool("windowsize", "--sync", window, "1280", "860")
    s.wait_for_page_text(window)
    return window


def choose_look(s, window, key):
    s.focus(window)
    s.key("alt+v", "a", key)


def test_every_look_changes_the_window_and_a_restart_keeps_the_last(s):
    page = s.path("looks.html")
    with open(page, "wb") as f:
        f.write(PAGE)
    window = start(s, page)
    seen = [e2e.wait_for("the first look", lambda: chrome(s, window))]
    for key, look in LOOK_KEYS:
        choose_look(s, window, key)
        seen.append(e2e.wait_for("look %d on screen" % look,
                                 lambda: (lambda now: now if now and now != seen[-1] else None)(chrome(s, window)),
                                 10))
        e2e.wait_for("look %d stored" % look, lambda: stored_look(s) == look, 10)
    # Eleven looks, each drawn unlike every other.
    assert len(set(seen[1:])) == len(LOOK_KEYS), "two looks draw the window alike"
    s.key("alt+f", "x")
    s.wait_exit()
    window = start(s, page)
    e2e.wait_for("the window in the stored look", lambda: chrome(s, window) == seen[-1], 20)


def drag_to(s, window, start, end, shot_before_release=None):
    s.xdotool("mousemove", "--window", window, str(start[0]), str(start[1]))
    s.xdotool("mousedown", "1")
    for i in range(1, 9):
        s.xdotool("mousemove", "--window", window, str(start[0] + (end[0] - start[0]) * i // 8),
                  str(start[1] + (end[1] - start[1]) * i // 8))
        time.sleep(0.05)
    # The last moves arrive and the markers show before the bar is let go.
    time.sleep(0.5)
    grabbed = grab_rgb(s, window) if shot_before_release else None
    s.xdotool("mouseup", "1")
    return grabbed


def pixel(grabbed, x, y):
    width, _, pixels = grabbed
    return tuple(pixels[(y * width + x) * 3:(y * width + x) * 3 + 3])


def bar_windows(s, main, title):
    return [w for w in s.visible_windows() if w != main and s.xdotool("getwindowname", w, check=False) == title]


def test_a_bar_dropped_on_a_docking_marker_docks_there_and_the_classic_look_has_none(s):
    page = s.path("looks.html")
    with open(page, "wb") as f:
        f.write(PAGE)
    window = start(s, page)
    choose_look(s, window, "8")
    e2e.wait_for("smart docking look stored", lambda: stored_look(s) == 210, 10)
    _, _, width, height = s.geometry(window)
    # The left edge marker: 12 pixels inside the document area, halfway down it.
    target = (12 + 16, (58 + height - 22) // 2)
    during = drag_to(s, window, FORMAT_HANDLE, target, shot_before_release=True)
    # The preview tints the strip along the left edge where the bar will lie.
    assert pixel(during, 4, target[1] - 120) != (255, 255, 255), "no docking preview at the left edge"
    e2e.wait_for("the Format bar docked on the left",
                 lambda: not bar_windows(s, window, "Format") and
                 pixel(grab_rgb(s, window), 4, target[1] - 120) != (255, 255, 255), 10)

    choose_look(s, window, "2")
    e2e.wait_for("classic look stored", lambda: stored_look(s) == 205, 10)
    drag_to(s, window, STANDARD_HANDLE, target)
    e2e.wait_for("the Standard bar floating", lambda: bar_windows(s, window, "Standard"), 10)


if __name__ == "__main__":
    sys.exit(e2e.run([test_every_look_changes_the_window_and_a_restart_keeps_the_last,
                      test_a_bar_dropped_on_a_docking_marker_docks_there_and_the_classic_look_has_none]))
