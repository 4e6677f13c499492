"""The page's source beside its design: switch to Source, type an element, switch back to Design,
type into the new element and save; the file holds the page's own bytes with just those changes."""

import sys

import e2e

# Markup a save would otherwise rewrite: single quotes, an entity, a bare attribute, CR LF.
PAGE = (b"<!DOCTYPE html>\r\n<html><head><meta charset='utf-8'><title>source</title></head>\r\n"
        b"<body>\r\n<p class='intro'>First line &amp; more.</p>\r\n<input disabled>\r\n</body></html>\r\n")


def switch(s, window, to_source):
    _, _, _, height = s.geometry(window)
    # The switch sits at the bottom of the document window, above the status bar.
    s.click(window, 90 if to_source else 30, height - 34)


def test_source_then_design_then_save(s):
    page, window, _ = s.open_page("source.html", PAGE)
    switch(s, window, True)
    # The source has line numbers down its left side, where the page has its white margin.
    e2e.wait_for("the source to show", lambda: s.page_text_position(window) is None, 20)
    # Before the body's end tag, on a line of its own; the caret back inside the new element.
    s.key("ctrl+End", "Up")
    s.type("<p id=added>Added in source</p>")
    s.key("Return", "Up", "End", "Left", "Left", "Left", "Left")
    switch(s, window, False)
    # Back in Design the caret is in the element just written: typed keys land there.
    s.wait_for_page_text(window)
    s.type("Then ")
    s.key("ctrl+s")
    expected = PAGE.replace(b"</body>", b"<p id=added>Then Added in source</p>\r\n</body>")
    try:
        e2e.wait_for("the saved page", lambda: e2e.read(page) == expected, 20)
    except e2e.Failure:
        raise e2e.Failure("the saved page is %r" % e2e.read(page))


if __name__ == "__main__":
    sys.exit(e2e.run([test_source_then_design_then_save], window_manager=True))
