"""Loomwrite beside the programs a user could pick instead, measured in one run on this machine
with the same pages: AbiWord, LibreOffice Writer and headless Chromium.

  python3 bench/peers.py [--install] [--runs N]

--install first installs AbiWord and LibreOffice Writer with apt-get. Rows (medians):
  - warm launch to a window, and to CPU-idle (the whole process tree quiet for a second);
  - open + save + exit of a 4 KB, a 200 KB, a 2 MB and a 6 MB page: Loomwrite through its
    window (started with the page, Ctrl+S, File > Exit), the peers through their own
    command-line conversion, Chromium through its load-and-serialise (--dump-dom).
Loomwrite should be ahead of both programs on every row and within 1.2x of Chromium on the
open + save rows.
"""

import argparse
import os
import shutil
import statistics
import subprocess
import sys
import tempfile
import time

sys.path.insert(0, os.path.join(os.path.dirname(__file__), "..", "tests", "e2e"))
import e2e  # noqa: E402
from proctree import cpu_seconds, tree  # noqa: E402
from startup_bench import make_page  # noqa: E402

SIZES = [("4 KB", 4 * 1024), ("200 KB", 200 * 1024), ("2 MB", 2 * 1024 * 1024), ("6 MB", 6 * 1024 * 1024)]
TICK = os.sysconf("SC_CLK_TCK")


def has_window(session, pid):
    for p in tree(pid):
        out = session.xdotool("search", "--onlyvisible", "--pid", str(p), "--name", ".+", check=False)
        if out:
            return True
    return False


def launch(program, argv):
    """Seconds from start to a visible window, and to the process tree being quiet for a second."""
    with e2e.Session(program, window_manager=True) as s:
        start = time.monotonic()
        s.proc = subprocess.Popen(argv, cwd=s.path(), env=s.env, stdout=subprocess.DEVNULL,
                                  stderr=subprocess.DEVNULL, stdin=subprocess.DEVNULL)
        e2e.wait_for("a window", lambda: has_window(s, s.proc.pid), 120, step=0.01)
        window = time.monotonic() - start
        last_busy, last_cpu = time.monotonic(), cpu_seconds(s.proc.pid)
        while time.monotonic() - last_busy < 1.0 and time.monotonic() - start < 60:
            time.sleep(0.05)
            cpu = cpu_seconds(s.proc.pid)
            # Less than two clock ticks of work in a moment counts as quiet.
            if cpu - last_cpu >= 2.0 / TICK:
                last_busy = time.monotonic()
            last_cpu = cpu
        idle = last_busy - start
        for p in reversed(tree(s.proc.pid)):
            try:
                os.kill(p, 9)
            except OSError:
                pass
        s.proc.wait()
        return window, idle


def loomwrite_open_save(program, page):
    with e2e.Session(program) as s:
        s.env["QT_LOGGING_RULES"] = "loomwrite.startup.info=true"
        mtime = os.stat(page).st_mtime_ns
        start = time.monotonic()
        s.start(page)
        e2e.wait_for("the page to be editable", lambda: "first page editable" in open(s.log, errors="replace").read(),
                     120, step=0.005)
        s.xdotool("key", "--clearmodifiers", "ctrl+s")
        e2e.wait_for("the save", lambda: os.stat(page).st_mtime_ns != mtime, 120, step=0.005)
        s.xdotool("key", "--clearmodifiers", "alt+f")
        s.xdotool("key", "x")
        s.wait_exit(120)
        return time.monotonic() - start


TIMEOUT = 120


def timed(argv, cwd):
    """Seconds a command takes; one that has not ended by TIMEOUT counts as TIMEOUT."""
    start = time.monotonic()
    try:
        subprocess.run(argv, cwd=cwd, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, timeout=TIMEOUT,
                       check=False)
    except subprocess.TimeoutExpired:
        subprocess.run(["pkill", "-9", "-f", "soffice.bin.*" + os.path.basename(cwd)], check=False)
        return float(TIMEOUT)
    return time.monotonic() - start


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--install", action="store_true", help="install AbiWord and LibreOffice Writer first")
    parser.add_argument("--runs", type=int, default=3)
    args = parser.parse_args()
    if args.install:
        subprocess.run(["apt-get", "install", "-y", "-qq", "--no-install-recommends", "abiword",
                        "libreoffice-writer"], check=True, env=dict(os.environ, DEBIAN_FRONTEND="noninteractive"))
    program = os.path.abspath(os.environ.get("LOOMWRITE", os.path.join(os.path.dirname(__file__), "..", "build",
                                                                       "loomwrite")))
    peers = {"AbiWord": shutil.which("abiword"), "LibreOffice": shutil.which("soffice")}
    missing = [name for name, path in peers.items() if not path]
    if missing:
        sys.exit("missing: %s (run with --install)" % ", ".join(missing))
    home = tempfile.mkdtemp(prefix="lw-peers-")
    profile = "-env:UserInstallation=file://" + os.path.join(home, "lo")
    launchers = {
        "Loomwrite": [program],
        "AbiWord": [peers["AbiWord"]],
        # The program itself: its launcher script hands over to it in a process of its own.
        "LibreOffice": [os.path.join(os.path.dirname(os.path.realpath(peers["LibreOffice"])), "soffice.bin"),
                        "--writer", "--norestore", profile],
    }
    rows = []
    for name, argv in launchers.items():
        launch(program, argv)  # warm the caches
    results = {name: [launch(program, argv) for _ in range(args.runs)] for name, argv in launchers.items()}
    rows.append(("launch to window", {n: statistics.median(r[0] for r in v) for n, v in results.items()}))
    rows.append(("launch to CPU-idle", {n: statistics.median(r[1] for r in v) for n, v in results.items()}))
    print("  measured:", rows[-2:], flush=True)

    for label, size in SIZES:
        page = os.path.join(home, "page.html")
        times = {"Loomwrite": [], "AbiWord": [], "LibreOffice": [], "Chromium": []}
        for _ in range(args.runs):
            make_page(page, size)
            times["Loomwrite"].append(loomwrite_open_save(program, page))
            times["AbiWord"].append(timed([peers["AbiWord"], "--to=html", "--to-name=" + os.path.join(home, "a.html"),
                                           page], home))
            times["LibreOffice"].append(timed([peers["LibreOffice"], "--headless", "--norestore", profile,
                                               "--convert-to", "html", "--outdir", os.path.join(home, "lo-out"),
                                               page], home))
            times["Chromium"].append(timed(["chromium", "--headless", "--no-sandbox", "--disable-gpu",
                                            "--no-first-run", "--dump-dom", "file://" + page], home))
        rows.append(("open + save + exit, " + label, {n: statistics.median(v) for n, v in times.items()}))
        print("  measured:", rows[-1], flush=True)

    print("%-28s %10s %10s %12s %10s  %s" % ("row (median s)", "Loomwrite", "AbiWord", "LibreOffice", "Chromium",
                                            "verdict"))
    for label, row in rows:
        lw = row["Loomwrite"]
        ahead = all(lw < row[p] for p in ("AbiWord", "LibreOffice"))
        verdict = "ahead" if ahead else "BEHIND"
        if "Chromium" in row:
            verdict += ", %.2fx Chromium" % (lw / row["Chromium"])
        print("%-28s %10.2f %10.2f %12.2f %10s  %s" % (label, lw, row["AbiWord"], row["LibreOffice"],
                                                    "%.2f" % row["Chromium"] if "Chromium" in row else "-",
                                                    verdict))
    shutil.rmtree(home, ignore_errors=True)


if __name__ == "__main__":
    main()
