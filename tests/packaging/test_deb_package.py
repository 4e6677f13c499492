"""cpack -G DEB into a temporary folder: the package names its runtime dependencies (each a real
installed package here), carries the editor's files and the cache-refreshing maintainer scripts.
With --apt-install (as root) it is also installed with apt-get, checked on PATH and in the
desktop's file-type cache, and removed again."""

import fcntl
import glob
import os
import re
import shutil
import subprocess
import sys
import tempfile

BUILD = os.environ.get("LW_BUILD_DIR", os.path.join(os.path.dirname(os.path.abspath(__file__)), "../../build"))
CPACK = os.environ.get("LW_CPACK", "cpack")
DESKTOP = "/usr/share/applications/Tarn.Loomwrite.2.desktop"
FILES = ["./usr/bin/loomwrite", "." + DESKTOP, "./usr/share/metainfo/Tarn.Loomwrite.2.metainfo.xml",
         "./usr/share/man/man1/loomwrite.1.gz", "./usr/share/icons/hicolor/48x48/apps/loomwrite.png",
         "./usr/share/icons/hicolor/32x32/mimetypes/text-html.png"]
REQUIRED = ["libqt6webenginecore6", "libqt6webenginecore6-bin", "libqt6widgets6", "libqt6printsupport6",
            "xdg-utils", "libc6"]


class Failure(Exception):
    pass


def run(*args, **kwargs):
    result = subprocess.run(args, capture_output=True, text=True, errors="replace", **kwargs)
    if result.returncode != 0:
        raise Failure("%s failed:\n%s%s" % (" ".join(args), result.stdout, result.stderr))
    return result.stdout


def field(info, name):
    m = re.search(r"^ %s: (.*)$" % name, info, re.M)
    return m.group(1) if m else ""


def check_package(deb):
    info = run("dpkg-deb", "--info", deb)
    print(info)
    depends = [alt.split()[0] for dep in field(info, "Depends").split(",") for alt in dep.split("|")[:1]]
    if field(info, "Package") != "loomwrite" or field(info, "Section") != "editors":
        raise Failure("wrong package name or section")
    for name in REQUIRED:
        if name not in depends:
            raise Failure("the package does not depend on " + name)
    # Each dependency names a package that exists: everything the editor runs on is installed here.
    for name in depends:
        run("dpkg-query", "-W", name.split(":")[0])
    if not re.search(r"^\s+\d+ bytes,\s+\d+ lines\s+\*\s+postinst", info, re.M) or \
            not re.search(r"^\s+\d+ bytes,\s+\d+ lines\s+\*\s+postrm", info, re.M):
        raise Failure("the maintainer scripts are missing or not executable")
    contents = run("dpkg-deb", "--contents", deb)
    for path in FILES:
        if not re.search(r" %s$" % re.escape(path), contents, re.M):
            raise Failure("the package lacks " + path)
    control = tempfile.mkdtemp(prefix="lw-deb-control-")
    try:
        run("dpkg-deb", "--control", deb, control)
        for script in ("postinst", "postrm"):
            text = open(os.path.join(control, script)).read()
            run("sh", "-n", os.path.join(control, script))
            if "update-desktop-database" not in text or "gtk-update-icon-cache" not in text:
                raise Failure(script + " does not refresh the desktop and icon caches")
    finally:
        shutil.rmtree(control, ignore_errors=True)


def html_handlers():
    try:
        with open("/usr/share/applications/mimeinfo.cache") as f:
            return next((line for line in f if line.startswith("text/html=")), "")
    except FileNotFoundError:
        return ""


def check_apt_install(deb):
    # Two runs at once would remove each other's install between its steps.
    lock = open("/tmp/loomwrite-apt-install.lock", "w")
    fcntl.flock(lock, fcntl.LOCK_EX)
    apt = ["apt-get", "-o", "DPkg::Lock::Timeout=300", "-y", "-q"]
    run(*apt, "install", "--no-install-recommends", os.path.abspath(deb),
        env=dict(os.environ, DEBIAN_FRONTEND="noninteractive"))
    try:
        if shutil.which("loomwrite") not in ("/usr/bin/loomwrite", "/bin/loomwrite"):
            raise Failure("loomwrite is not on PATH after installing: %s" % shutil.which("loomwrite"))
        if not os.path.exists(DESKTOP):
            raise Failure(DESKTOP + " is missing after installing")
        if "Tarn.Loomwrite.2.desktop" not in html_handlers():
            raise Failure("the desktop's file-type cache does not offer the editor for HTML")
    finally:
        run(*apt, "purge", "loomwrite", env=dict(os.environ, DEBIAN_FRONTEND="noninteractive"))
    if "Tarn.Loomwrite.2.desktop" in html_handlers():
        raise Failure("the desktop's file-type cache still offers the removed editor")


def main():
    out = tempfile.mkdtemp(prefix="lw-deb-")
    try:
        run(CPACK, "--config", os.path.join(BUILD, "CPackConfig.cmake"), "-G", "DEB", "-B", out)
        debs = glob.glob(os.path.join(out, "*.deb"))
        if len(debs) != 1:
            raise Failure("expected one package, found %s" % debs)
        check_package(debs[0])
        if "--apt-install" in sys.argv:
            check_apt_install(debs[0])
    finally:
        shutil.rmtree(out, ignore_errors=True)
    print("PASS Debian package")
    return 0


if __name__ == "__main__":
    sys.exit(main())
