"""Work survives a crash and opens land in the running editor: typed text auto-saved, the
editor killed, the next start offers the auto-saved version and saves it to the original
file; a second start with a file hands it to the running editor and ends at once."""

import os
import signal
import subprocess
import sys

import e2e

PAGE = e2e.PAGE
read = e2e.read


def copies(s):
    folder = os.path.join(s.root, "data", "Tarn", "Loomwrite", "AutoRecover")
    if not os.path.isdir(folder):
        return []
    return [os.path.join(folder, n) for n in os.listdir(folder) if n.endswith(".html")]


def test_killed_editor_recovers_typed_text(s):
    s.env["LOOMWRITE_AUTOSAVE_MS"] = "1000"
    page, window, (x, y) = s.open_page("crash.html", PAGE)
    s.click(window, x + 80, y)
    s.key("End")
    s.type(" Typed before the crash")
    e2e.wait_for("an auto-saved copy with the typed text",
                 lambda: any(b"Typed before the crash" in read(c) for c in copies(s)), 20)
    os.kill(s.proc.pid, signal.SIGKILL)
    s.proc.wait()

    s.start()
    question = s.find_window("Document Recovery", timeout=40)
    s.focus(question)
    s.key("Return")
    window = s.find_window("crash.html \\[Recovered\\] - Loomwrite", timeout=40)
    s.focus(window)
    s.wait_for_page_text(window)
    s.key("ctrl+s")
    e2e.wait_for("the recovered text in the original file", lambda: b"Typed before the crash" in read(page), 20)
    s.key("alt+f", "x")
    if s.wait_exit() != 0:
        raise e2e.Failure("the program did not end cleanly")
    if copies(s):
        raise e2e.Failure("auto-saved copies left after a clean exit: %r" % copies(s))


def test_a_second_start_hands_its_file_over(s):
    _, window, _ = s.open_page("first.html", PAGE)
    second = s.path("second.html")
    with open(second, "wb") as f:
        f.write(PAGE)
    result = subprocess.run([s.program, second], cwd=s.path(), env=s.env, timeout=60,
                            stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    if result.returncode != 0:
        raise e2e.Failure("the second start ended with %d" % result.returncode)
    s.find_window("second.html - Loomwrite", timeout=30)
    if s.proc.poll() is not None:
        raise e2e.Failure("the running editor ended")
    del window


if __name__ == "__main__":
    sys.exit(e2e.run([test_killed_editor_recovers_typed_text, test_a_second_start_hands_its_file_over],
                     window_manager=True))
