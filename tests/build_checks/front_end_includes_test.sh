#!/usr/bin/env bash
# The build's check of the front ends' includes, on a small tree of its own: headers of src/ui and
# src/ports, of the front end itself, Qt's and the standard library's pass; a header of any other
# folder of src/, quoted or in angle brackets, fails the check, which names file and line and
# writes no stamp.
set -euo pipefail
cmake_command=$1
checker=$2
tree=$(mktemp -d)
trap 'rm -rf "$tree"' EXIT
mkdir -p "$tree"/src/{ui,ports,interpreter,variables,text} "$tree"/apps/{cli,gui}
stamp=$tree/stamp
check() { "$cmake_command" -DROOT="$tree" -DSTAMP="$stamp" -P "$checker" 2>&1; }

printf '#include "ui/session.h"\n#include "ports/shelf_port.h"\n#include "desktop.h"\n#include <QWidget>\n#include <vector>\n' \
    >"$tree/apps/gui/clean.cpp"
if ! output=$(check); then
    echo "a clean front end was refused: $output"
    exit 1
fi
[ -f "$stamp" ] || { echo "no stamp after a clean check"; exit 1; }
rm "$stamp"

printf '// one\n#include "ui/session.h"\n#include "interpreter/interpreter.h"\n' >"$tree/apps/cli/quoted.cpp"
printf '#pragma once\n  #  include <variables/display_list.h>\n' >"$tree/apps/gui/angled.h"
if output=$(check); then
    echo "core headers in a front end were accepted"
    exit 1
fi
for expected in 'apps/cli/quoted.cpp:3: #include "interpreter/interpreter.h"' \
    'apps/gui/angled.h:2: #  include <variables/display_list.h>'; do
    grep -qF "$expected" <<<"$output" || { echo "not named: $expected"; echo "$output"; exit 1; }
done
if grep -q 'clean.cpp' <<<"$output"; then
    echo "a clean file was named: $output"
    exit 1
fi
[ ! -f "$stamp" ] || { echo "a stamp after a failed check"; exit 1; }
echo "front-end include check: clean tree passes, core includes named"
