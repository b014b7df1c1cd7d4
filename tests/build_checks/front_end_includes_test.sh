#!/usr/bin/env bash
# The build's check of the front ends' includes, on a small tree of its own: headers of src/ui and
# src/ports, of the front end itself, Qt's and the standard library's pass; a header of any other
# folder of src/, quoted or in angle brackets, fails the check, which names file and line and
# writes no stamp. A header of src/ui that reaches a header of the statement machinery through
# further headers of src/ui fails it too, named with the line that pulls it in, whichever header of
# src/ui it is (the program's start included); the text and numerics headers it names pass.
set -euo pipefail
cmake_command=$1
checker=$2
tree=$(mktemp -d)
trap 'rm -rf "$tree"' EXIT
mkdir -p "$tree"/src/{ui,ports,interpreter,variables,text,numerics} "$tree"/apps/{cli,gui}
stamp=$tree/stamp
check() { "$cmake_command" -DROOT="$tree" -DSTAMP="$stamp" -P "$checker" 2>&1; }

printf '#include "ui/session.h"\n#include "ports/shelf_port.h"\n#include "desktop.h"\n#include <QWidget>\n#include <vector>\n' \
    >"$tree/apps/gui/clean.cpp"
printf '#pragma once\n#include "ui/run_outcome.h"\n#include "ports/shelf_port.h"\n' >"$tree/src/ui/session.h"
printf '#pragma once\n#include "text/paths.h"\n#include "ui/session.h"\n' >"$tree/src/ui/run_outcome.h"
printf '#include "ui/program_start.h"\nint main() {}\n' >"$tree/apps/cli/main.cpp"
printf '#pragma once\n#include "numerics/process_setup.h"\n#include "text/ini_file.h"\n' \
    >"$tree/src/ui/program_start.h"
if ! output=$(check); then
    echo "a clean front end was refused: $output"
    exit 1
fi
[ -f "$stamp" ] || { echo "no stamp after a clean check"; exit 1; }
rm "$stamp"

printf '// one\n#include "ui/session.h"\n#include "interpreter/interpreter.h"\n' >"$tree/apps/cli/quoted.cpp"
printf '#pragma once\n#include <string>\n#include "variables/variable.h"\n' >"$tree/src/ui/settings_view.h"
printf '#include "ui/run_outcome.h"\n' >>"$tree/src/ui/session.h"
printf '#include "ui/settings_view.h"\n' >>"$tree/src/ui/run_outcome.h"
printf '#pragma once\n  #  include <variables/display_list.h>\n' >"$tree/apps/gui/angled.h"
printf '#include "interpreter/start_parameters.h"\n' >>"$tree/src/ui/program_start.h"
if output=$(check); then
    echo "core headers in a front end were accepted"
    exit 1
fi
for expected in 'apps/cli/quoted.cpp:3: #include "interpreter/interpreter.h"' \
    'apps/gui/angled.h:2: #  include <variables/display_list.h>' \
    'apps/gui/clean.cpp:1: #include "ui/session.h" pulls in src/ui/settings_view.h:3: #include "variables/variable.h"' \
    'apps/cli/main.cpp:1: #include "ui/program_start.h" pulls in src/ui/program_start.h:4: #include "interpreter/start_parameters.h"'; do
    grep -qF "$expected" <<<"$output" || { echo "not named: $expected"; echo "$output"; exit 1; }
done
if grep -qE 'text/paths.h|text/ini_file.h|numerics/process_setup.h' <<<"$output"; then
    echo "a text or numerics header behind src/ui was named: $output"
    exit 1
fi
[ ! -f "$stamp" ] || { echo "a stamp after a failed check"; exit 1; }
echo "front-end include check: clean tree passes, core includes named, also behind src/ui"
