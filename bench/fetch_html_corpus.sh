#!/usr/bin/env bash
# Gathers real pages from Debian's documentation packages for source_keeping_bench: different
# generators, encodings and sizes (2 KB to 2.5 MB). Packages are fetched with apt-get download
# into the given folder (default build/html-corpus, outside the sources) and unpacked there.
set -euo pipefail
cd "$(dirname "$0")/.."
DEST=$(realpath -m "${1:-build/html-corpus}")
mkdir -p "$DEST/debs" "$DEST/root" "$DEST/pages"

# package  path inside it  (what wrote it, its encoding)
PAGES=(
  "lynx-common usr/share/doc/lynx-common/lynx_help/keystrokes/edit_help.html.gz"   # by hand
  "apache2-doc usr/share/doc/apache2-doc/manual/ko/suexec.html"                     # XSLT, EUC-KR
  "apache2-doc usr/share/doc/apache2-doc/manual/ja/content-negotiation.html"        # XSLT, Japanese
  "vim-doc usr/share/doc/vim/html/print.html"                                       # vim2html, ISO-8859-1
  "developers-reference usr/share/developers-reference/new-maintainer.html"         # Sphinx
  "debian-reference-en usr/share/debian-reference/ch11.en.html"                     # DocBook XSL
  "git-doc usr/share/doc/git-doc/user-manual.html"                                  # AsciiDoc
  "bash-doc usr/share/doc/bash/bash.html"                                           # man2html
  "r-doc-html usr/share/R/doc/manual/R-exts.html"                                   # makeinfo
  "sqlite3-doc usr/share/doc/sqlite3/lang_select.html"                              # Tcl
  "vim-doc usr/share/doc/vim/html/version8.html"                                    # vim2html, 2 MB
  "python3.11-doc usr/share/doc/python3.11/html/contents.html"                      # Sphinx, 2.5 MB
)

packages=$(printf '%s\n' "${PAGES[@]}" | awk '{print $1}' | sort -u)
cd "$DEST/debs"
for package in $packages; do
  ls "${package}"_*.deb >/dev/null 2>&1 || apt-get download -q "$package"
done
for deb in *.deb; do
  [ -e "$DEST/root/.${deb}" ] || { dpkg-deb -x "$deb" "$DEST/root" && touch "$DEST/root/.${deb}"; }
done
for entry in "${PAGES[@]}"; do
  read -r package path <<<"$entry"
  name="${package}-$(basename "${path%.gz}")"
  case "$path" in
    *.gz) gzip -dc "$DEST/root/$path" >"$DEST/pages/$name" ;;
    *) cp "$DEST/root/$path" "$DEST/pages/$name" ;;
  esac
done
ls -lS "$DEST/pages"
