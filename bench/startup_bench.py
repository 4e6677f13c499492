"""Start-up and open/save benchmarks of the real program under Xvfb.

Reports medians of several runs:
  - warm launch to an editable untitled document;
  - launch with a 2 MB page, save it, exit (whole process), beside headless Chromium's
    load-and-serialise (--dump-dom) of the same page, and their ratio.
The program reports the moment its first page becomes editable through the logging
category loomwrite.startup.
"""

import os
import statistics
import subprocess
import sys
import time

sys.path.insert(0, os.path.join(os.path.dirname(__file__), "..", "tests", "e2e"))
import e2e  # noqa: E402

RUNS = int(os.environ.get("RUNS", "5"))


def make_page(path, size=2 * 1024 * 1024):
    parts = ["<!DOCTYPE html>\n<html><head><meta charset='utf-8'><title>Big page</title>",
             "<style>td{padding:2px} .n{color:#345}</style></head><body>\n"]
    n = 0
    total = sum(len(p) for p in parts)
    while total < size:
        n += 1
        parts.append("<h2>Section %d</h2><p class='n'>Paragraph %d with <b>bold</b>, <i>italic</i> and "
                     "<a href='#s%d'>a link</a>. Lorem ipsum dolor sit amet, consectetur adipiscing elit, "
                     "sed do eiusmod tempor incididunt ut labore et dolore magna aliqua.</p>\n"
                     "<table><tr><td>%d</td><td>cell</td><td>more</td></tr></table><ul><li>one</li>"
                     "<li>two</li></ul>\n" % (n, n, n, n))
        total += len(parts[-1])
    parts.append("</body></html>\n")
    with open(path, "w") as f:
        f.write("".join(parts))


def wait_log(session, marker, timeout=60):
    def seen():
        with open(session.log, errors="replace") as f:
            return marker in f.read()
    e2e.wait_for(marker, seen, timeout, step=0.005)


def launch_to_editable(program):
    with e2e.Session(program) as s:
        s.env["QT_LOGGING_RULES"] = "loomwrite.startup.info=true"
        start = time.monotonic()
        s.start()
        wait_log(s, "first page editable")
        elapsed = time.monotonic() - start
        s.proc.kill()
        return elapsed


def open_save_exit(program, page):
    with e2e.Session(program) as s:
        s.env["QT_LOGGING_RULES"] = "loomwrite.startup.info=true"
        mtime = os.stat(page).st_mtime_ns
        start = time.monotonic()
        s.start(page)
        wait_log(s, "first page editable", 120)
        window = s.find_window("Loomwrite")
        s.focus(window)
        # The page must count as changed for Save to write it: type one character.
        s.click(window, 60, 70)
        s.xdotool("type", "x")
        time.sleep(0.3)
        s.xdotool("key", "--clearmodifiers", "ctrl+s")
        e2e.wait_for("the save", lambda: os.stat(page).st_mtime_ns != mtime, 120, step=0.005)
        s.xdotool("key", "--clearmodifiers", "alt+f")
        s.xdotool("key", "x")
        code = s.wait_exit(120)
        elapsed = time.monotonic() - start
        if code != 0 or os.stat(page).st_mtime_ns == mtime:
            raise RuntimeError("the page was not saved (exit %d)" % code)
        return elapsed


def chromium_dump(page):
    start = time.monotonic()
    subprocess.run(["chromium", "--headless", "--no-sandbox", "--disable-gpu", "--disable-background-networking",
                    "--disable-component-update", "--no-first-run", "--dump-dom", "file://" + page],
                   stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, check=True)
    return time.monotonic() - start


def main():
    program = os.path.abspath(os.environ.get("LOOMWRITE", os.path.join(os.path.dirname(__file__), "..",
                                                                       "build", "loomwrite")))
    launch_to_editable(program)  # warm the caches
    launch = statistics.median(launch_to_editable(program) for _ in range(RUNS))
    work = "/tmp/lw-bench-page.html"
    make_page(work)
    saves = []
    for _ in range(RUNS):
        make_page(work)
        saves.append(open_save_exit(program, work))
    chromium = statistics.median(chromium_dump(work) for _ in range(RUNS))
    save = statistics.median(saves)
    print("launch to editable untitled document: %.0f ms (budget 300 ms)" % (launch * 1000))
    print("2 MB page open + save + exit: %.2f s; headless Chromium load-and-serialise: %.2f s; ratio %.2f "
          "(budget 1.2)" % (save, chromium, save / chromium))


if __name__ == "__main__":
    main()
