#!/bin/sh
# The real drivesim on a virtual X display: both windows carry their titles,
# the instructions window stays hidden until "Help", "Process" with a
# setpoint makes the oscilloscope's traces rise and move; the "Quality of
# regulation" window opens from the menu, keeps a run, runs a sweep of five
# runs and saves its table through the file dialog, and closes; and "Exit"
# ends the program with exit status 0 while the instructions window is open,
# once its question before the kept runs are lost is answered "Save" and the
# scenario is written; a fresh program opens that scenario with its lab and
# ends without a question. The program's settings go to a scratch folder,
# never the user's.
#
# Usage: realwindow.sh PATH/TO/drivesim
# Exit status 77 (a skipped test) only when xvfb-run is not installed.
# With REALWINDOW_KEEP=DIR the last screenshot is left in DIR/window.xwd,
# and one of the lab window after its sweep in DIR/lab.xwd.
set -u

drivesim=${1:?usage: realwindow.sh PATH/TO/drivesim}

. "$(dirname "$0")/common.sh"
on_virtual_display 1024x768 "$drivesim"

main_title="The influence of the feedback coefficient on the quality of regulation"
help_title="Instructions"
lab_title="Quality of regulation"
save_title="Save table as CSV"
question_title="Drivesim"
scenario_title="Save scenario"

# The controls, in the main window's client coordinates (below the menu
# bar, whose height is measured once the window is shown).
setpoint_x=210 setpoint_y=362  # the setpoint spin edit's text
process_x=40 process_y=444     # "Process"
help_x=216 help_y=484          # "Help"
exit_x=40 exit_y=484           # "Exit"
reset_x=216 reset_y=444        # "Reset"
# The oscilloscope: left, top, width, height.
chart_left=256 chart_top=328 chart_width=353 chart_height=169

work=$(mktemp -d "${TMPDIR:-/tmp}/drivesim-realwindow.XXXXXX") || exit 1
pid=
finish() {
  status=$1
  if [ -n "$pid" ] && [ ! -s "$work/status" ]; then
    kill "$pid" 2>/dev/null
  fi
  wait
  if [ -n "${REALWINDOW_KEEP:-}" ] && [ -f "$work/shot.xwd" ]; then
    cp "$work/shot.xwd" "$REALWINDOW_KEEP/window.xwd"
  fi
  if [ -n "${REALWINDOW_KEEP:-}" ] && [ -f "$work/lab.xwd" ]; then
    cp "$work/lab.xwd" "$REALWINDOW_KEEP/lab.xwd"
  fi
  rm -rf "$work"
  exit "$status"
}
fail() {
  echo "FAIL: $*"
  if [ -s "$work/status" ]; then
    echo "drivesim ended with exit status $(cat "$work/status")"
  fi
  if [ -s "$work/drivesim.err" ]; then
    echo "--- drivesim's standard error:"
    cat "$work/drivesim.err"
  fi
  finish 1
}

menu=0
click() {
  xdotool mousemove --window "$main" "$1" $(($2 + menu)) click 1
}

# The oscilloscope's pixels, one line per row, four hexadecimal bytes per
# pixel (blue, green, red, unused), cut out of a screenshot of the window.
chart_pixels() {
  name=$1
  xwd -silent -id "$main" >"$work/shot.xwd" 2>/dev/null || return 1
  # The header's 25 big-endian words: size, ..., byte order (8), bits per
  # pixel (12), bytes per line (13), ..., colour entries (20); the colour
  # table follows the header, 12 bytes an entry, then the rows.
  set -- $(od -An -v -tu4 --endian=big -N100 "$work/shot.xwd")
  [ "$#" -eq 25 ] || return 1
  header=$1 order=$8 bpp=${12} bpl=${13} colours=${20}
  if [ "$bpp" -ne 32 ] || [ "$order" -ne 0 ]; then
    echo "unexpected screenshot format: $bpp bits per pixel, byte order $order"
    return 1
  fi
  offset=$((header + colours * 12 + (chart_top + menu) * bpl))
  tail -c +$((offset + 1)) "$work/shot.xwd" | head -c $((chart_height * bpl)) |
    od -An -v -tx1 -w"$bpl" |
    cut -d' ' -f$((chart_left * 4 + 2))-$(((chart_left + chart_width) * 4 + 1)) >"$work/$name"
  [ "$(wc -l <"$work/$name")" -eq "$chart_height" ]
}

# How many rows of the chart hold a pixel of the velocity trace's colour
# (aqua: blue and green full, no red).
velocity_rows() {
  awk '{ for (i = 1; i + 2 <= NF; i += 4)
           if ($i == "ff" && $(i + 1) == "ff" && $(i + 2) == "00") { rows++; break } }
       END { print rows + 0 }' "$work/$1"
}

# The chart is still: two screenshots half a second apart are the same.
chart_still() {
  chart_pixels still1 && sleep 0.5 && chart_pixels still2 && cmp -s "$work/still1" "$work/still2"
}

# The chart shows the trace risen (over several rows) and has moved on since
# the screenshot in the named file.
chart_moved_since() {
  chart_pixels now || return 1
  [ "$(velocity_rows now)" -ge 3 ] && ! cmp -s "$work/$1" "$work/now"
}

# The program runs in a subshell that records its exit status when it ends.
(
  env -u QT_QPA_PLATFORM XDG_CONFIG_HOME="$work/config" "$drivesim" >"$work/drivesim.out" 2>"$work/drivesim.err" &
  echo $! >"$work/pid"
  wait $!
  echo $? >"$work/status"
) &
poll 10 test -s "$work/pid" || fail "the program did not start"
pid=$(cat "$work/pid")

ended() { [ -s "$work/status" ]; }
shown_or_ended() { window_shown "$main_title" || ended; }
poll 60 shown_or_ended && ! ended || fail "the main window did not appear"
main=$(visible_window "$main_title")
echo "main window shown: \"$main_title\""
# The window is its client area (623 x 513) and the menu bar above it.
height=$(xdotool getwindowgeometry "$main" | awk '/Geometry:/ { split($2, size, "x"); print size[2] }')
menu=$((height - 513))
[ "$menu" -gt 10 ] && [ "$menu" -lt 60 ] || fail "no menu bar above the client area (window height $height)"
echo "menu bar of $menu pixels above the client area"

# Painted and idle: the picture and the empty oscilloscope do not change.
poll 30 chart_still || fail "the oscilloscope did not settle before Process"
[ "$(velocity_rows still2)" -eq 0 ] || fail "a velocity trace before Process"
window_shown "$help_title" && fail "the instructions window is shown before Help"

# Setpoint 50 (five arrow steps of 10), then "Process".
click "$setpoint_x" "$setpoint_y" || fail "cannot click the setpoint"
xdotool key Up Up Up Up Up || fail "cannot type"
click "$process_x" "$process_y" || fail "cannot click Process"
poll 30 chart_moved_since still2 || fail "the traces did not rise after Process"
echo "traces rose over $(velocity_rows now) rows"
mv "$work/now" "$work/running1"
poll 30 chart_moved_since running1 || fail "the traces stopped moving"
echo "traces keep moving"

# Lab > Quality of regulation… by the menu's access keys.
xdotool key alt+l || fail "cannot open the Lab menu"
sleep 0.3
xdotool key Return || fail "cannot choose Quality of regulation"
poll 30 window_shown "$lab_title" || fail "the menu did not open the lab window"
lab=$(visible_window "$lab_title")
echo "lab window shown: \"$lab_title\""

# "Reset" and "Process" in the main window (raised above the lab): a run
# from rest; then "Keep run" in the lab.
xdotool windowraise "$main" && click "$reset_x" "$reset_y" && click "$process_x" "$process_y" ||
  fail "cannot click Reset and Process"
sleep 1
xdotool windowraise "$lab" && xdotool mousemove --window "$lab" 200 150 click 1 ||
  fail "cannot click into the lab window"
sleep 0.3
xdotool key alt+k || fail "cannot press Keep run"

# A sweep of five runs: Count 5 ("C&ount"), "R&un sweep".
xdotool key alt+o ctrl+a && xdotool type 5 && xdotool key alt+u || fail "cannot start the sweep"
sleep 3
xwd -silent -id "$lab" >"$work/lab.xwd" 2>/dev/null

# "Save t&able as CSV…" through the file dialog.
xdotool key alt+a || fail "cannot press Save table as CSV"
poll 30 window_shown "$save_title" || fail "no file dialog for the table"
sleep 0.5
xdotool type "$work/table.csv" && xdotool key Return || fail "cannot type the file name"
poll 30 test -s "$work/table.csv" || fail "the table was not saved"
rows=$(wc -l <"$work/table.csv")
# The header, the current run, the kept run and the five runs of the sweep.
[ "$rows" -eq 8 ] || fail "the saved table has $rows lines, not 8: $(cat "$work/table.csv")"
head -n 1 "$work/table.csv" | grep -q '^run,value,gain,' || fail "the table's header is not the figures' header"
# The swept runs are those with a swept value.
[ "$(awk -F, 'NR > 1 && $2 != ""' "$work/table.csv" | wc -l)" -eq 5 ] ||
  fail "the sweep's rows are missing: $(cat "$work/table.csv")"
echo "table saved with the current run, the kept run and five swept runs"

# Ctrl+W closes the lab window.
xdotool mousemove --window "$lab" 200 150 click 1 && sleep 0.3 && xdotool key ctrl+w ||
  fail "cannot close the lab window"
lab_gone() { ! window_shown "$lab_title"; }
poll 30 lab_gone || fail "the lab window did not close"
echo "lab window closed"

click "$help_x" "$help_y" || fail "cannot click Help"
poll 30 window_shown "$help_title" || fail "Help did not show the instructions window"
echo "instructions window shown: \"$help_title\""

# "Exit" with the instructions window open asks first, since the lab keeps
# runs that are in no scenario file; "Save" asks for the scenario's file,
# and once it is written the program ends.
click "$exit_x" "$exit_y" || fail "cannot click Exit"
question_shown() { window_shown "$question_title"; }
poll 30 question_shown || fail "Exit did not ask before the kept runs are lost"
echo "Exit asks before the kept runs are lost"
sleep 0.5
xdotool key alt+s || fail "cannot answer Save"
poll 30 window_shown "$scenario_title" || fail "no file dialog for the scenario"
sleep 0.5
xdotool type "$work/lab.drivesim" && xdotool key Return || fail "cannot type the scenario's name"
poll 30 ended || fail "the program did not end after Exit and Save"
status=$(cat "$work/status")
[ "$status" -eq 0 ] || fail "the program ended with exit status $status"
kept=$(grep -c '"label"' "$work/lab.drivesim")
[ "$kept" -eq 6 ] || fail "the scenario holds $kept kept runs, not 6: $(cat "$work/lab.drivesim")"
echo "program ended with exit status 0, the scenario saved with the six kept runs"

# A fresh program opens the scenario named on its command line: the lab
# shows the kept runs, and Exit ends it without a question, nothing having
# changed since the file was saved.
rm -f "$work/status" "$work/pid"
(
  env -u QT_QPA_PLATFORM XDG_CONFIG_HOME="$work/config" "$drivesim" "$work/lab.drivesim" \
    >"$work/drivesim.out" 2>"$work/drivesim.err" &
  echo $! >"$work/pid"
  wait $!
  echo $? >"$work/status"
) &
poll 10 test -s "$work/pid" || fail "the program did not start again"
pid=$(cat "$work/pid")
poll 60 shown_or_ended && ! ended || fail "the main window did not appear again"
main=$(visible_window "$main_title")
poll 30 window_shown "$lab_title" || fail "the scenario did not open the lab window"
echo "the scenario opened in a fresh program with its lab"
sleep 1
xdotool windowraise "$main" && click "$exit_x" "$exit_y" || fail "cannot click Exit again"
poll 30 ended || fail "the program did not end after Exit (or asked)"
status=$(cat "$work/status")
[ "$status" -eq 0 ] || fail "the program ended with exit status $status"
echo "program ended with exit status 0 without a question"
finish 0
