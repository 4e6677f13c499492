"""cmake --install into a temporary DESTDIR under a prefix of its own: every file is there and
nothing else, the desktop file and AppStream metadata validate and agree with each other, the
manual page renders, and the installed program opens a page under Xvfb with nothing from the
build folder."""

import configparser
import os
import re
import shutil
import subprocess
import sys
import tempfile
import xml.etree.ElementTree as ET

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.join(HERE, "..", "e2e"))
import e2e  # noqa: E402

BUILD = os.environ["LW_BUILD_DIR"]
SOURCE = os.environ["LW_SOURCE_DIR"]
VERSION = os.environ["LW_VERSION"]
# Not /usr/local or /usr, so a path that ignores the prefix shows up as a missing file.
PREFIX = "/opt/lw-prefix"
DESKTOP = "share/applications/Tarn.Loomwrite.2.desktop"
METAINFO = "share/metainfo/Tarn.Loomwrite.2.metainfo.xml"


def expected_files():
    images = os.path.join(SOURCE, "src", "resources", "images")
    names = os.listdir(images)
    app_sizes = [m.group(1) for m in map(re.compile(r"loomwrite-(\d+)\.png$").match, names) if m]
    doc_sizes = [m.group(1) for m in map(re.compile(r"htmldocument-(\d+)\.png$").match, names) if m]
    if not {"16", "32", "48", "256"} <= set(app_sizes) or not doc_sizes:
        raise e2e.Failure("the pictures lack icon sizes: %s %s" % (app_sizes, doc_sizes))
    files = {"bin/loomwrite", DESKTOP, METAINFO, "share/man/man1/loomwrite.1.gz",
             "share/icons/hicolor/scalable/apps/loomwrite.svg"}
    files |= {"share/icons/hicolor/%sx%s/apps/loomwrite.png" % (n, n) for n in app_sizes}
    files |= {"share/icons/hicolor/%sx%s/mimetypes/%s.png" % (n, n, t)
              for n in doc_sizes for t in ("text-html", "application-xhtml+xml")}
    # The spelling dictionaries the build converted from the system's, English among them.
    built = os.path.join(BUILD, "qtwebengine_dictionaries")
    dictionaries = [n for n in os.listdir(built) if n.endswith(".bdic")] if os.path.isdir(built) else []
    if "en-US.bdic" not in dictionaries:
        raise e2e.Failure("the build converted no English spelling dictionary: %s" % dictionaries)
    files |= {"share/loomwrite/dictionaries/" + n for n in dictionaries}
    return files


def installed_files(root):
    found = set()
    for folder, _, names in os.walk(root):
        found |= {os.path.relpath(os.path.join(folder, n), root) for n in names}
    return found


def run(*args, **kwargs):
    result = subprocess.run(args, capture_output=True, text=True, errors="replace", **kwargs)
    if result.returncode != 0:
        raise e2e.Failure("%s failed:\n%s%s" % (" ".join(args), result.stdout, result.stderr))
    return result


def check_metadata(tree):
    run("desktop-file-validate", os.path.join(tree, DESKTOP))
    run("appstreamcli", "validate", "--no-net", os.path.join(tree, METAINFO))
    desktop = configparser.ConfigParser(interpolation=None)
    desktop.optionxform = str
    desktop.read(os.path.join(tree, DESKTOP))
    entry = desktop["Desktop Entry"]
    if entry["Exec"] != "loomwrite %F" or "New Document" not in [
            desktop[s].get("Name") for s in desktop.sections() if s.startswith("Desktop Action")]:
        raise e2e.Failure("the desktop file's commands are wrong: %s" % dict(entry))
    if not os.path.exists(os.path.join(tree, "share/icons/hicolor/48x48/apps", entry["Icon"] + ".png")):
        raise e2e.Failure("no installed icon is named " + entry["Icon"])
    component = ET.parse(os.path.join(tree, METAINFO)).getroot()
    mime = set(filter(None, entry["MimeType"].split(";")))
    provided = {m.text for m in component.iter("mediatype")}
    if mime != {"text/html", "application/xhtml+xml"} or provided != mime:
        raise e2e.Failure("file types differ: desktop file %s, metainfo %s" % (mime, provided))
    if component.find("launchable").text != os.path.basename(DESKTOP):
        raise e2e.Failure("the metainfo launches " + component.find("launchable").text)
    if component.find("releases/release").get("version") != VERSION:
        raise e2e.Failure("the newest release in the metainfo is not " + VERSION)
    return entry["StartupWMClass"]


def check_manual(tree):
    page = run("man", "--warnings", "-l", os.path.join(tree, "share/man/man1/loomwrite.1.gz"),
               env=dict(os.environ, MANWIDTH="80", MAN_KEEP_FORMATTING="0"))
    if page.stderr.strip():
        raise e2e.Failure("the manual page has mistakes:\n" + page.stderr)
    text = re.sub(r".\x08", "", page.stdout)
    for word in ("/p file", "/pt file", "/Unregister", "/Register", "/RestartByRestartManager:",
                 "Tarn/Loomwrite.reg", "Tarn/Loomwrite/AutoRecover/"):
        if word not in text:
            raise e2e.Failure("the manual page does not describe " + word)


def check_no_build_paths(program):
    """The build and source folders appear neither in the run path nor in loaded data."""
    dynamic = run("readelf", "-d", program).stdout
    strings = run("readelf", "-p", ".rodata", "-p", ".dynstr", program).stdout
    for folder in (os.path.realpath(BUILD), os.path.realpath(SOURCE)):
        if folder in dynamic or folder in strings:
            raise e2e.Failure("the installed program refers to " + folder)


PAGE = b"""<!DOCTYPE html>
<html><head><meta charset="utf-8"><title>installed</title></head>
<body><p>Opened by the installed editor.</p></body></html>
"""


def check_program_opens_a_page(program, wm_class):
    with e2e.Session(program) as s:
        _, window, _ = s.open_page("installed.html", PAGE)
        # The desktop groups the window under its launcher by this class.
        classes = run("xprop", "-id", window, "WM_CLASS", env=s.env).stdout
        if '"%s"' % wm_class not in classes:
            raise e2e.Failure("the window's class %s is not the desktop file's %s" % (classes.strip(), wm_class))


def main():
    root = tempfile.mkdtemp(prefix="lw-install-")
    try:
        run("cmake", "--install", BUILD, "--prefix", PREFIX, env=dict(os.environ, DESTDIR=root))
        tree = root + PREFIX
        missing = expected_files() - installed_files(tree)
        extra = installed_files(tree) - expected_files()
        if missing or extra or set(os.listdir(root)) != {PREFIX.split("/")[1]}:
            raise e2e.Failure("install differs: missing %s, unexpected %s" % (sorted(missing), sorted(extra)))
        wm_class = check_metadata(tree)
        check_manual(tree)
        program = os.path.join(tree, "bin", "loomwrite")
        check_no_build_paths(program)
        check_program_opens_a_page(program, wm_class)
    finally:
        shutil.rmtree(root, ignore_errors=True)
    print("PASS install tree")
    return 0


if __name__ == "__main__":
    sys.exit(main())
