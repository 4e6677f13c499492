"""Takes the screenshots the AppStream metadata shows, from the real program under Xvfb:
python3 packaging/make_screenshots.py PROGRAM OUTPUT_DIR"""

import os
import subprocess
import sys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "tests", "e2e"))
import e2e  # noqa: E402

PAGE = b"""<!DOCTYPE html>
<html lang="en"><head><meta charset="utf-8"><title>Weaving club</title>
<style>
body { font-family: "DejaVu Sans", sans-serif; margin: 24px 40px; color: #222; }
h1 { color: #1d5a78; } h2 { color: #2d6e4e; border-bottom: 1px solid #ccc; }
table { border-collapse: collapse; } td, th { border: 1px solid #999; padding: 4px 12px; }
th { background: #e8eef2; }
</style></head>
<body>
<h1>Weaving club</h1>
<p>We meet every <b>Thursday evening</b> in the old mill to weave, spin and talk about
<i>patterns</i>. Beginners are welcome: looms and yarn are there for everyone to use.
Read more on <a href="https://example.org/">our notice board</a>.</p>
<h2>This month</h2>
<ul>
<li>Plain weave on the table looms</li>
<li>Dyeing with onion skins and walnut shells</li>
<li>Repairing the big floor loom</li>
</ul>
<h2>Dates</h2>
<table>
<tr><th>Date</th><th>Topic</th><th>Bring</th></tr>
<tr><td>4 December</td><td>Warping a loom</td><td>Scissors</td></tr>
<tr><td>11 December</td><td>Twill patterns</td><td>Graph paper</td></tr>
<tr><td>18 December</td><td>Winter market</td><td>Your work</td></tr>
</table>
</body></html>
"""


def grab(s, path):
    # The whole screen, so the window manager's frame around the maximised window shows too.
    subprocess.run(["import", "-window", "root", path], env=s.env, check=True)


def type_into_new_page(s, window):
    s.click(window, 300, 300)
    s.type("A new page, beside the club's page.")
    return s.page_text_position(window) is not None and s.wait_for_page_text(window)


def main():
    if len(sys.argv) != 3:
        print(__doc__)
        return 2
    program, out = os.path.abspath(sys.argv[1]), os.path.abspath(sys.argv[2])
    os.makedirs(out, exist_ok=True)
    with e2e.Session(program, window_manager=True) as s:
        _, window, (x, y) = s.open_page("weaving-club.html", PAGE)
        # A word selected, so the format bar shows the selection's state.
        s.xdotool("mousemove", "--window", window, str(x + 4), str(y))
        s.xdotool("click", "--repeat", "2", "1")
        e2e.wait_for("the page to settle", lambda: s.wait_for_page_text(window))
        grab(s, os.path.join(out, "editing.png"))
        s.key("ctrl+n")
        s.find_window("HTML Document1 - Loomwrite", timeout=20)
        # Typing waits for the new page to take the caret; the text shows once it has arrived.
        e2e.wait_for("the new page to take typing", lambda: type_into_new_page(s, window), 40, step=1.0)
        grab(s, os.path.join(out, "tabs.png"))
    return 0


if __name__ == "__main__":
    sys.exit(main())
