#!/usr/bin/env bash
# Compiles the help fixture project into guide.chm beside this script. Run
# only after changing the project; the compiled file is committed, so the
# build and the tests never need the compiler (Debian package fp-utils).
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
cd "$here/project"
chmcmd --no-html-scan guide.hhp
mv guide.chm "$here/guide.chm"
