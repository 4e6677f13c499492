"""Memory with ten documents open: the real program under Xvfb, the documents handed to it
one after the other by later starts (as a file manager would), a mix of small and 200 KB
pages. Reports the proportional set size (PSS) of the whole process tree after each
document and the total, beside the budget of 600 MB for ten documents."""

import os
import subprocess
import sys
import time

sys.path.insert(0, os.path.join(os.path.dirname(__file__), "..", "tests", "e2e"))
import e2e  # noqa: E402
from proctree import pss_mb  # noqa: E402

BUDGET_MB = 600


def make_page(path, size):
    parts = ["<!DOCTYPE html>\n<html><head><meta charset='utf-8'><title>Page</title></head><body>\n"]
    n = 0
    while sum(len(p) for p in parts) < size:
        n += 1
        parts.append("<h2>Section %d</h2><p>Paragraph %d with <b>bold</b> and <a href='#s%d'>a link</a>. "
                     "Lorem ipsum dolor sit amet, consectetur adipiscing elit.</p>\n"
                     "<ul><li>one</li><li>two</li></ul>\n" % (n, n, n))
    parts.append("</body></html>\n")
    with open(path, "w") as f:
        f.write("".join(parts))


def settled_pss(pid):
    """PSS once two readings a second apart agree within 2 MB."""
    last = pss_mb(pid)
    for _ in range(20):
        time.sleep(1)
        now = pss_mb(pid)
        if abs(now - last) < 2:
            return now
        last = now
    return last


def main():
    program = os.path.abspath(os.environ.get("LOOMWRITE", os.path.join(os.path.dirname(__file__),
                                                                      "../build/loomwrite")))
    with e2e.Session(program) as s:
        pages = []
        for i in range(10):
            path = s.path("page%d.html" % i)
            make_page(path, 200 * 1024 if i % 2 else 4 * 1024)
            pages.append(path)
        if os.environ.get("LW_EXTRA_FLAGS"):
            s.env["QTWEBENGINE_CHROMIUM_FLAGS"] += " " + os.environ["LW_EXTRA_FLAGS"]
        s.start(pages[0])
        s.find_window("page0.html - Loomwrite", timeout=60)
        readings = [settled_pss(s.proc.pid)]
        print("documents  PSS MB  added MB")
        print("%9d  %6.0f" % (1, readings[0]))
        for i, page in enumerate(pages[1:], start=2):
            subprocess.run([program, page], env=s.env, cwd=s.path(), timeout=60,
                           stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
            s.find_window("page%d.html - Loomwrite" % (i - 1), timeout=60)
            readings.append(settled_pss(s.proc.pid))
            print("%9d  %6.0f  %8.0f" % (i, readings[-1], readings[-1] - readings[-2]))
        verdict = "within" if readings[-1] <= BUDGET_MB else "OVER"
        print("ten documents: %.0f MB PSS, budget %d MB: %s" % (readings[-1], BUDGET_MB, verdict))


if __name__ == "__main__":
    main()
