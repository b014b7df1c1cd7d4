#!/usr/bin/env bash
# Builds the Debian package build/zelvora_<version>_<architecture>.deb with CPack (installing the
# Debian packages the build needs where they are missing) and prints its path.
set -euo pipefail
cd "$(dirname "$0")/.."
tools/install-deps.sh >&2
nice -n 10 tools/build.sh >/dev/null
rm -f build/zelvora_*.deb
(cd build && cpack -G DEB >cpack.log 2>&1) || { cat build/cpack.log >&2; exit 1; }
ls build/zelvora_*.deb
