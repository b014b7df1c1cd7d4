#!/usr/bin/env bash
# The bash completion of zelvora-cli offers exactly the long options that its --help names, a
# folder after --pictures, demos after --demo and scripts (with folders) as the argument.
set -u
cli=$1
completion=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir "$work/bilder"
touch "$work/lauf.rts" "$work/daten.csv" "$work/tour.zvd"
cd "$work" || exit 1
# shellcheck disable=SC1090
source "$completion"

complete_words() { # the offers for the command line "zelvora-cli WORDS...", sorted
    COMP_WORDS=(zelvora-cli "$@")
    COMP_CWORD=$#
    COMPREPLY=()
    _zelvora_cli
    printf '%s\n' "${COMPREPLY[@]}" | sort | tr '\n' ' '
}

failed=0
expect() { # expect WHAT GOT WANTED
    if [ "$2" != "$3" ]; then
        echo "$1: offered \"$2\", expected \"$3\""
        failed=1
    fi
}

help_options=$("$cli" --help | grep -oE -- '--[a-z]+' | sort -u | tr '\n' ' ')
expect "options" "$(complete_words --)" "$help_options"
expect "--jo" "$(complete_words --jo)" "--journal "
expect "after --pictures" "$(complete_words --pictures '')" "bilder "
expect "after --demo" "$(complete_words --demo '')" "bilder tour.zvd "
expect "a script" "$(complete_words '')" "bilder lauf.rts "
expect "after --journal" "$(complete_words --journal '')" "bilder daten.csv lauf.rts tour.zvd "
exit $failed
