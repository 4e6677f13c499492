"""Drives the real program under Xvfb with xdotool: real windows, real key and mouse events."""

import os
import shutil
import subprocess
import tempfile
import time


class Failure(Exception):
    pass


# A small page with one line of text, which most tests open.
PAGE = b"""<!DOCTYPE html>
<html><head><meta charset="utf-8"><title>e2e</title></head>
<body><p>First line of the page.</p></body></html>
"""


def read(path):
    with open(path, "rb") as f:
        return f.read()


def wait_for(what, predicate, timeout=30.0, step=0.1):
    deadline = time.monotonic() + timeout
    while time.monotonic() < deadline:
        value = predicate()
        if value:
            return value
        time.sleep(step)
    raise Failure("timed out waiting for " + what)


class Session:
    """One X server, one private settings folder, and the program started in it."""

    def __init__(self, program, window_manager=False):
        self.program = program
        self.window_manager = window_manager
        self.wm = None
        self.root = tempfile.mkdtemp(prefix="lw-e2e-")
        self.env = dict(os.environ)
        for name in ("config", "data", "cache", "home", "work", "runtime"):
            os.makedirs(os.path.join(self.root, name), mode=0o700)
        self.env.update({
            "XDG_CONFIG_HOME": os.path.join(self.root, "config"),
            "XDG_DATA_HOME": os.path.join(self.root, "data"),
            "XDG_CACHE_HOME": os.path.join(self.root, "cache"),
            "XDG_RUNTIME_DIR": os.path.join(self.root, "runtime"),
            "HOME": os.path.join(self.root, "home"),
            "QT_QPA_PLATFORM": "xcb",
            "QTWEBENGINE_DISABLE_SANDBOX": "1",
            "QTWEBENGINE_CHROMIUM_FLAGS": "--disable-gpu --no-sandbox",
        })
        self.env.pop("WAYLAND_DISPLAY", None)
        self.xvfb = None
        self.proc = None
        self.log = os.path.join(self.root, "program.log")

    def path(self, *parts):
        return os.path.join(self.root, "work", *parts)

    def __enter__(self):
        read_fd, write_fd = os.pipe()
        xvfb_log = os.path.join(self.root, "xvfb.log")
        # -noreset: by default the server resets when its last client leaves, and a client
        # connecting meanwhile (the program started right after a short-lived xprop or xdotool)
        # is turned away.
        self.xvfb = subprocess.Popen(
            ["Xvfb", "-displayfd", str(write_fd), "-screen", "0", "1280x900x24", "-nolisten", "tcp",
             "-noreset"],
            pass_fds=(write_fd,), stdout=open(xvfb_log, "w"), stderr=subprocess.STDOUT)
        os.close(write_fd)
        with os.fdopen(read_fd) as f:
            display = f.readline().strip()
        if not display:
            raise Failure("Xvfb did not start: " + read(xvfb_log).decode(errors="replace")[-500:])
        self.env["DISPLAY"] = ":" + display
        # Clients start only once the server answers them.
        try:
            wait_for("the X server", lambda: subprocess.run(
                ["xprop", "-root", "-len", "0"], env=self.env, capture_output=True).returncode == 0, 20)
        except Failure:
            raise Failure("the X server on :%s does not answer (exit %s): %s" % (
                display, self.xvfb.poll(), read(xvfb_log).decode(errors="replace")[-500:]))
        if self.window_manager:
            # Maximising, full screen and activation are the window manager's to grant.
            wm_log = os.path.join(self.root, "openbox.log")
            self.wm = subprocess.Popen(["openbox", "--sm-disable"], env=self.env,
                                       stdout=open(wm_log, "w"), stderr=subprocess.STDOUT)
            try:
                wait_for("the window manager", lambda: "window id" in subprocess.run(
                    ["xprop", "-root", "_NET_SUPPORTING_WM_CHECK"], env=self.env, capture_output=True,
                    text=True).stdout, 20)
            except Failure:
                raise Failure("the window manager did not start (exit %s): %s" % (
                    self.wm.poll(), read(wm_log).decode(errors="replace")[-500:]))
        return self

    def __exit__(self, *exc):
        if exc[0] is not None and os.environ.get("LW_E2E_KEEP") and self.xvfb:
            self.screenshot(os.path.join(self.root, "failure.png"))
        if self.proc and self.proc.poll() is None:
            self.proc.kill()
            self.proc.wait()
        if self.wm and self.wm.poll() is None:
            self.wm.terminate()
            self.wm.wait()
        if self.xvfb:
            self.xvfb.terminate()
            self.xvfb.wait()
        if exc[0] is not None and os.path.exists(self.log):
            with open(self.log, errors="replace") as f:
                print("---- program output ----\n" + f.read()[-4000:])
        keep = os.environ.get("LW_E2E_KEEP")
        if exc[0] is not None and keep:
            # What the screen showed when the test failed, for whoever reads the failure.
            shutil.copytree(self.root, os.path.join(keep, os.path.basename(self.root)), dirs_exist_ok=True)
        shutil.rmtree(self.root, ignore_errors=True)
        return False

    def start(self, *args):
        log = open(self.log, "w")
        self.proc = subprocess.Popen([self.program, *args], cwd=self.path(), env=self.env,
                                     stdout=log, stderr=subprocess.STDOUT, stdin=subprocess.DEVNULL)

    def xdotool(self, *args, check=True):
        result = subprocess.run(["xdotool", *args], env=self.env, capture_output=True, text=True)
        if check and result.returncode != 0:
            raise Failure("xdotool %s failed: %s" % (" ".join(args), result.stderr.strip()))
        return result.stdout.strip()

    def find_window(self, name, timeout=40.0):
        def search():
            out = self.xdotool("search", "--onlyvisible", "--name", name, check=False)
            return out.split()[0] if out else None
        return wait_for("a window named " + name, search, timeout)

    def geometry(self, window):
        """The window's (x, y, width, height) on the screen."""
        out = self.xdotool("getwindowgeometry", "--shell", window)
        values = dict(line.split("=", 1) for line in out.splitlines() if "=" in line)
        return int(values["X"]), int(values["Y"]), int(values["WIDTH"]), int(values["HEIGHT"])

    def visible_windows(self):
        return self.xdotool("search", "--onlyvisible", "--pid", str(self.proc.pid), "", check=False).split()

    def focus(self, window):
        self.xdotool("windowfocus", "--sync", window)

    def click(self, window, x, y):
        self.xdotool("mousemove", "--window", window, str(x), str(y))
        self.xdotool("click", "1")

    def key(self, *keys):
        for k in keys:
            self.xdotool("key", "--clearmodifiers", k)
            time.sleep(0.15)

    def type(self, text):
        self.xdotool("type", "--delay", "40", text)
        # A person's pause after typing: the page takes the keys asynchronously.
        time.sleep(0.5)

    def grab_gray(self, window):
        """The window's pixels as (width, height, bytes), one gray byte per pixel."""
        shot = subprocess.run(["import", "-window", window, "png:-"], env=self.env, capture_output=True,
                              timeout=20)
        if shot.returncode != 0:
            return None
        pgm = subprocess.run(["convert", "png:-", "-colorspace", "gray", "-depth", "8", "pgm:-"],
                             input=shot.stdout, capture_output=True, timeout=20).stdout
        # Binary PGM: "P5\n<w> <h>\n<max>\n" then the pixels.
        fields = pgm.split(maxsplit=4)
        if len(fields) < 5 or fields[0] != b"P5":
            return None
        return int(fields[1]), int(fields[2]), fields[4]

    def page_text_position(self, window):
        """Where the page's first line of text is, found as a person sees it: the first dark
        pixels in rows whose left margin is page-white (bars and captions are grey or coloured
        there). None while the page shows no text."""
        grabbed = self.grab_gray(window)
        if not grabbed:
            return None
        width, height, pixels = grabbed
        for y in range(height):
            base = y * width
            # The page's own margin (8 px) is white even beside selected text.
            if min(pixels[base + 1:base + 6]) <= 250:
                continue
            dark = [x for x, v in enumerate(pixels[base + 7:base + min(400, width)]) if v < 100]
            if dark:
                # The line's left end: the leftmost dark pixel over the glyphs' height.
                left = min(x for row in range(y, min(y + 12, height))
                           for x, v in enumerate(pixels[row * width + 7:row * width + min(400, width)])
                           if v < 100)
                return 7 + left + 8, y + 6
        return None

    def wait_for_page_text(self, window, timeout=40.0):
        """Where the first line of text is once it has stopped moving: after a resize the bars
        and the page lay out again for a moment, and a click aimed at the old place misses."""
        last = [None]

        def settled():
            now = self.page_text_position(window)
            steady = now is not None and now == last[0]
            last[0] = now
            return now if steady else None
        return wait_for("the page to show its text", settled, timeout, step=0.2)

    def open_page(self, name, content):
        """Starts the program with a new page file and waits until the page shows its text.
        Returns the file's path, the main window and where the first line of text is."""
        path = self.path(name)
        with open(path, "wb") as f:
            f.write(content)
        self.start(path)
        window = self.find_window(name + " - Loomwrite")
        self.focus(window)
        x, y = self.wait_for_page_text(window)
        return path, window, (x, y)

    def screenshot(self, path):
        subprocess.run(["import", "-window", "root", path], env=self.env, check=False)

    def wait_exit(self, timeout=30.0):
        wait_for("the program to end", lambda: self.proc.poll() is not None, timeout)
        return self.proc.returncode


def run(tests, window_manager=False):
    """Runs each test function with a fresh session; prints the closing counts."""
    program = os.environ.get("LOOMWRITE", os.path.join(os.path.dirname(__file__), "../../build/loomwrite"))
    passed = failed = 0
    for test in tests:
        try:
            with Session(os.path.abspath(program), window_manager) as s:
                test(s)
            passed += 1
            print("PASS", test.__name__)
        except Exception as e:  # every failure is reported, the next test still runs
            failed += 1
            print("FAIL", test.__name__, "-", e)
    print("%d passed, %d failed" % (passed, failed))
    return 1 if failed else 0
