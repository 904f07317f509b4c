#!/bin/sh
# Makes a program's manual page from its --help text and compresses it for
# installation: OUTPUT (the page) and OUTPUT.gz.
#   make-manpage.sh PROGRAM OUTPUT SUMMARY SOURCE [SEE_ALSO]
set -eu
program=$1
output=$2
summary=$3
source=$4
see_also=${5:-}
here=$(dirname "$0")
# --help needs no window; the offscreen platform keeps it that way should
# the program ever start its application before reading its options.
QT_QPA_PLATFORM=offscreen "$program" --help >"$output.help"
awk -v name="$(basename "$program")" -v section=1 -v summary="$summary" \
  -v source="$source" -v see_also="$see_also" -f "$here/help-to-man.awk" \
  "$output.help" >"$output.tmp"
rm -f "$output.help"
mv "$output.tmp" "$output"
gzip -9 -n -c "$output" >"$output.gz"
