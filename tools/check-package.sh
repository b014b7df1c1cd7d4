#!/usr/bin/env bash
# Builds the Debian package and checks it as an installed system would see it: unpacked into a
# temporary root, the installed zelvora-cli runs a shipped example and finds the shipped files by
# name; the manual pages, the bash completion and the editors' syntax definition work from there;
# lintian, appstreamcli and desktop-file-validate accept the package, its metainfo and its desktop
# entry.
set -euo pipefail
cd "$(dirname "$0")/.."
tools/install-deps.sh lintian desktop-file-utils appstream libkf5syntaxhighlighting-tools man-db \
    dpkg-dev file
deb=$(tools/build-package.sh)
root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT
dpkg-deb -x "$deb" "$root"
share="$root/usr/share"

passed=0
failed=0
check() { # check NAME COMMAND...: runs the command quietly and counts its outcome
    local name=$1
    shift
    local log
    if log=$("$@" 2>&1); then
        passed=$((passed + 1))
        echo "ok      $name"
    else
        failed=$((failed + 1))
        echo "FAILED  $name"
        printf '%s\n' "$log" | sed 's/^/        /'
    fi
}

has() { # has TEXT PATTERN: the text holds a line matching the extended regular expression
    grep -Eq -- "$2" <<<"$1" || { printf 'no line matches "%s" in:\n%s\n' "$2" "$1"; return 1; }
}

runs_shipped_example() {
    local out
    out=$("$root/usr/bin/zelvora-cli" "$share/zelvora/Beispiele/gleichungssystem.rts") || return 1
    has "$out" '^Det\(A\) = 1\.000$' && has "$out" '^3 +-1\.000$'
}

# A relative BATCH name that is nowhere else is taken from the installed program's shipped copy.
finds_shipped_files_by_name() {
    local home out
    home=$(mktemp -d -p "$root")
    out=$(HOME="$home" XDG_CONFIG_HOME="$home/.config" "$root/usr/bin/zelvora-cli" \
        <<<'BATCH "mittelwerte.rts"' 2>&1) || return 1
    has "$out" '^Mittel 3x1$' && has "$out" '^1 +171\.700$'
}

depends_from_binaries() {
    local control
    control=$(dpkg-deb -f "$deb" Depends) || return 1
    has "$control" 'libc6' && has "$control" 'libedit2' && has "$control" 'libqt6widgets6'
}

manual_page() { # manual_page NAME: compressed, and man renders its sections
    local page="$share/man/man1/$1.1.gz"
    gzip -t "$page" || return 1
    local text
    text=$(MANWIDTH=80 man -l "$page" 2>&1) || return 1
    has "$text" '^OPTIONEN|^PARAMETER' && has "$text" '^RÜCKGABEWERT' && has "$text" '^DATEIEN' \
        && has "$text" '^UMGEBUNG' && has "$text" '^BEISPIELE'
}

desktop_entry() {
    desktop-file-validate "$share/applications/zelvora.desktop"
}

metainfo() {
    appstreamcli validate --no-net --strict "$share"/metainfo/*.metainfo.xml
}

icons_and_file_types() {
    local size
    for size in 16 22 24 32 48 64 128 256; do
        file "$share/icons/hicolor/${size}x${size}/apps/zelvora.png" | grep -q "$size x $size" \
            || { echo "icon ${size}x${size} missing or of another size"; return 1; }
    done
    test -f "$share/icons/hicolor/scalable/apps/zelvora.svg" \
        && grep -q 'glob pattern="\*.rts"' "$share/mime/packages/zelvora.xml" \
        && file "$share/doc/zelvora/screenshots/zelvora.png" | grep -q 'PNG image'
}

bash_completion() {
    local reply
    # shellcheck disable=SC1091
    reply=$(bash -c 'source "$1"; COMP_WORDS=(zelvora-cli --jo); COMP_CWORD=1; _zelvora_cli
        printf "%s\n" "${COMPREPLY[@]}"' _ "$share/bash-completion/completions/zelvora-cli") \
        || return 1
    has "$reply" '^--journal$'
}

# The editors' highlighter finds the installed definition for a .rts file by itself and colours
# command words, function calls and constants.
syntax_definition() {
    local html
    html=$(XDG_DATA_DIRS="$share:/usr/share" QT_QPA_PLATFORM=offscreen \
        kate-syntax-highlighter "$share/zelvora/Beispiele/gleichungssystem.rts" 2>/dev/null) \
        || return 1
    has "$html" 'x = <span[^>]*>Inv</span>' && has "$html" '<span[^>]*>;H Ein lineares' || return 1
    printf 'SETOPT DfltFormat=Fix\nA = #pi\n[2] DEL A\nA * x\n' >"$root/probe.rts"
    html=$(XDG_DATA_DIRS="$share:/usr/share" QT_QPA_PLATFORM=offscreen \
        kate-syntax-highlighter "$root/probe.rts" 2>/dev/null) || return 1
    has "$html" '<span[^>]*>SETOPT</span>' && has "$html" '<span[^>]*>#pi</span>' \
        && has "$html" '^\[2\] <span[^>]*>DEL</span> A$' && has "$html" '^A \* x$'
}

# Jupyter lists the installed kernel with its logo; the kernel finds the installed zelvora-cli
# beside it and runs a statement.
jupyter_kernel() {
    local kernels="$share/jupyter/kernels" listed reply
    listed=$(JUPYTER_PATH="$share/jupyter" jupyter kernelspec list) || return 1
    has "$listed" "^ +zelvora +$kernels/zelvora\$" || return 1
    file "$kernels/zelvora/logo-64x64.png" | grep -q '64 x 64' || { echo "no 64x64 logo"; return 1; }
    reply=$(cd "$root" && env -u ZELVORA_CLI JUPYTER_PATH="$share/jupyter" \
        JUPYTER_RUNTIME_DIR="$root/runtime" PYTHONDONTWRITEBYTECODE=1 /usr/bin/python3 -c '
from jupyter_client.manager import start_new_kernel
manager, client = start_new_kernel(kernel_name="zelvora")
try:
    shown = lambda message: print(message["content"].get("text", ""), end="")
    reply = client.execute_interactive("x = Det({{2,1},{1,3}})", timeout=60, output_hook=shown)
    print(reply["content"]["status"])
finally:
    client.stop_channels()
    manager.shutdown_kernel(now=True)
' 2>&1) || { printf '%s\n' "$reply"; return 1; }
    has "$reply" '^x = 5' && has "$reply" '^ok$'
}

lintian_clean() {
    lintian --fail-on error,warning "$deb"
}

check "the installed zelvora-cli runs a shipped example" runs_shipped_example
check "the installed zelvora-cli finds shipped scripts by name" finds_shipped_files_by_name
check "the dependencies are computed from the binaries" depends_from_binaries
check "manual page zelvora-cli(1)" manual_page zelvora-cli
check "manual page zelvora(1)" manual_page zelvora
check "desktop-file-validate" desktop_entry
check "appstreamcli validate" metainfo
check "icons in the hicolor sizes, file types, screenshot" icons_and_file_types
check "bash completion of the options" bash_completion
check "the editors' syntax definition colours a script" syntax_definition
check "Jupyter lists and starts the installed kernel" jupyter_kernel
check "lintian" lintian_clean
echo "check-package: $passed passed, $failed failed"
[ "$failed" -eq 0 ]
