#!/usr/bin/env bash
# ZEICHNE from the console: --pictures puts the SVG and PNG files into a folder (made when
# missing), --frames writes a turning series; every named file exists and is what its name says.
set -u
cli=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work" || exit 1
printf '%s\n' 'X = {{1,2,3},{4,5,6}}' 'ZEICHNE SCAT = X, X' 'ZEICHNE ANIMATE = X' \
    'SETOPTIONS listing=An' 'LIST GRAPH' >script.rts
if ! "$cli" --quiet --pictures out/bilder --frames 3 script.rts; then
    echo "the script failed"
    exit 1
fi
failed=0
for name in scatterplot-1 animate-1-01 animate-1-02 animate-1-03; do
    head -c 5 "out/bilder/$name.svg" | grep -q '<?xml' || { echo "$name.svg is no SVG"; failed=1; }
    [ "$(head -c 4 "out/bilder/$name.png" | tail -c 3)" = PNG ] || { echo "$name.png is no PNG"; failed=1; }
done
[ -f out/bilder/listing-1.png ] || { echo "LIST GRAPH wrote no picture"; failed=1; }
cmp -s out/bilder/animate-1-01.svg out/bilder/animate-1-02.svg && { echo "the frames do not turn"; failed=1; }
"$cli" --frames 0 script.rts 2>/dev/null
[ $? -eq 64 ] || { echo "--frames 0 is no usage error"; failed=1; }
exit $failed
