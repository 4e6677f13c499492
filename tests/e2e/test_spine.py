"""Start with a file, type into the page, save from the File menu, exit: the file has the text."""

import sys
import time

import e2e

PAGE = e2e.PAGE
read = e2e.read


def test_type_save_from_menu_and_exit(s):
    page, window, (x, y) = s.open_page("page.html", PAGE)
    # Click into the page's first line.
    s.click(window, x + 80, y)
    s.key("End")
    s.type(" Typed by a person")
    s.key("alt+f", "s")
    e2e.wait_for("the typed text on disk", lambda: b"Typed by a person" in read(page), 20)
    s.key("alt+f", "x")
    code = s.wait_exit()
    if code != 0:
        raise e2e.Failure("exit code %d" % code)
    saved = read(page)
    if b"First line of the page. Typed by a person" not in saved:
        raise e2e.Failure("saved file lacks the typed text: %r" % saved)
    if not saved.startswith(b"<!DOCTYPE html>"):
        raise e2e.Failure("doctype lost: %r" % saved[:80])


def test_keys_land_in_a_just_opened_page_without_a_click(s):
    # Typed as soon as the window shows, while the page may still be loading: nothing is lost,
    # and the text goes where the caret starts, at the top.
    page = s.path("opened.html")
    with open(page, "wb") as f:
        f.write(PAGE)
    s.start(page)
    s.find_window("opened.html - Loomwrite")
    s.type("Opened ")

    def saved():
        s.key("ctrl+s")
        time.sleep(0.5)
        return b"Opened First line" in read(page)
    e2e.wait_for("the typed text on disk", saved, 20, step=1)
    if read(page).count(b"Opened") != 1:
        raise e2e.Failure("keys typed more than once: %r" % read(page))


def test_ctrl_s_saves_and_modified_document_asks_on_exit(s):
    page, window, (x, y) = s.open_page("keys.html", PAGE)
    s.click(window, x + 80, y)
    s.key("End")
    s.type(" one")
    s.key("ctrl+s")
    e2e.wait_for("Ctrl+S to save", lambda: b"page. one" in read(page), 20)
    s.type(" two")
    s.key("alt+f", "x")
    # The save-changes question: No leaves the file as last saved.
    question = s.find_window("Loomwrite", timeout=20)
    s.key("alt+n")
    code = s.wait_exit()
    if code != 0:
        raise e2e.Failure("exit code %d" % code)
    saved = read(page)
    if b"one" not in saved or b"two" in saved:
        raise e2e.Failure("unexpected content after No: %r" % saved)
    del question


if __name__ == "__main__":
    sys.exit(e2e.run([test_type_save_from_menu_and_exit, test_keys_land_in_a_just_opened_page_without_a_click,
                      test_ctrl_s_saves_and_modified_document_asks_on_exit]))
