#!/bin/sh
# The real drivesim's explorer on a virtual X display, driven by real X
# input only. Lab > "Explore the feedback coefficient…" (Ctrl+E) opens the
# explorer; its k slider (Alt+K) moves the poles on the pole map and the
# response curves with Page Up and the arrow keys; a pole dragged with the
# mouse away from the real axis raises k; "Keep" (Alt+E) adds each setting
# to the lab's kept runs; "Run on the drive" (Alt+R) makes the main
# window's oscilloscope traces rise and move. In the "Quality of regulation"
# window every kept run keeps its colour while more runs are kept and after
# another one is removed. The scenario saved at "Exit" holds the kept runs
# with the values of k that the slider's steps and the drag gave, and the
# main window's k equal to the explorer's. The program's settings go to a
# scratch folder, never the user's.
#
# Usage: explorer.sh PATH/TO/drivesim
# Exit status 77 (a skipped test) only when xvfb-run is not installed.
# With EXPLORER_KEEP=DIR the screenshots of the explorer and of the lab
# window are left in DIR (explorer-*.xwd, lab-*.xwd).
set -u

drivesim=${1:?usage: explorer.sh PATH/TO/drivesim}

. "$(dirname "$0")/common.sh"
# A screen wide enough for the explorer (1180 x 760), the lab window
# (980 x 660) and the main window side by side, so that no window hides
# part of another in a screenshot.
on_virtual_display 2560x1400 "$drivesim"

main_title="The influence of the feedback coefficient on the quality of regulation"
explorer_title="Explore the feedback coefficient"
lab_title="Quality of regulation"
question_title="Drivesim"
scenario_title="Save scenario"

# The main window's controls in its client coordinates (below the menu bar).
exit_x=40 exit_y=484  # "Exit"
# The oscilloscope: left, top, width, height.
chart_left=256 chart_top=328 chart_width=353 chart_height=169
# A place in the explorer's control column below its buttons where a click
# only brings the keyboard to the window.
explorer_idle_x=150 explorer_idle_y=700

# The explorer's default k, the ends of its slider's range and its steps
# (a page is a twentieth of them).
default_k=1 range_from=0 range_to=5 slider_steps=1000

# The colours: the current poles' markers (vermillion), the oscilloscope's
# velocity trace (aqua), and the palette a kept run takes its colour from
# (red, green, blue in hexadecimal), but for black, which the program
# leaves to the current run.
pole_colour=d55e00
velocity_colour=00ffff
palette="e69f00 56b4e9 009e73 0072b2 d55e00 cc79a7 882255 332288 117733 661100"

work=$(mktemp -d "${TMPDIR:-/tmp}/drivesim-explorer.XXXXXX") || exit 1
pid=
finish() {
  status=$1
  if [ -n "$pid" ] && [ ! -s "$work/status" ]; then
    kill "$pid" 2>/dev/null
  fi
  wait
  if [ -n "${EXPLORER_KEEP:-}" ]; then
    for f in "$work"/explorer-*.xwd "$work"/lab-*.xwd; do
      [ -f "$f" ] && cp "$f" "$EXPLORER_KEEP/"
    done
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

# A screenshot of a window as text: one line a row, one word a pixel,
# eight hexadecimal digits: an unused byte, then red, green and blue.
# shot WINDOW NAME writes $work/NAME.px (and keeps $work/NAME.xwd).
shot() {
  xwd -silent -id "$1" >"$work/$2.xwd" 2>/dev/null || return 1
  name=$2
  # The header's 25 big-endian words: size, ..., byte order (8), bits per
  # pixel (12), bytes per line (13), ..., colour entries (20); the colour
  # table follows the header, 12 bytes an entry, then the rows.
  set -- $(od -An -v -tu4 --endian=big -N100 "$work/$name.xwd")
  [ "$#" -eq 25 ] || return 1
  header=$1 order=$8 bpp=${12} bpl=${13} colours=${20}
  if [ "$bpp" -ne 32 ] || [ "$order" -ne 0 ]; then
    echo "unexpected screenshot format: $bpp bits per pixel, byte order $order"
    return 1
  fi
  # The pixels' bytes are blue, green, red, unused: read as little-endian
  # words they are the colour as 0xXXRRGGBB.
  tail -c +$((header + colours * 12 + 1)) "$work/$name.xwd" |
    od -An -v -tx4 --endian=little -w"$bpl" >"$work/$name.px"
  [ -s "$work/$name.px" ]
}

# The clusters of pixels of one colour (8-connected) in a screenshot, for
# each of the colours given: one line a cluster, colour, pixel count, left,
# right, top, bottom.
clusters() {
  awk -v colours="$2" '
    BEGIN { n = split(colours, list, " "); for (i = 1; i <= n; i++) want[list[i]] = 1 }
    { for (i = 1; i <= NF; i++) { c = substr($i, 3, 6); if (c in want) hit[c, i - 1, NR - 1] = 1 } }
    END {
      for (p in hit) {
        if (hit[p] != 1) continue
        split(p, cxy, SUBSEP)
        c = cxy[1]; top = 1; sx[1] = cxy[2] + 0; sy[1] = cxy[3] + 0; hit[p] = 2
        n = 0; l = r = sx[1]; t = b = sy[1]
        while (top > 0) {
          x = sx[top]; y = sy[top]; top--; n++
          if (x < l) l = x
          if (x > r) r = x
          if (y < t) t = y
          if (y > b) b = y
          for (dx = -1; dx <= 1; dx++)
            for (dy = -1; dy <= 1; dy++)
              if (((c, x + dx, y + dy) in hit) && hit[c, x + dx, y + dy] == 1) {
                hit[c, x + dx, y + dy] = 2; top++; sx[top] = x + dx; sy[top] = y + dy
              }
        }
        print c, n, l, r, t, b
      }
    }' "$work/$1.px"
}

# The current poles on the explorer's pole map: two markers of the poles'
# colour alike in shape and size, one above the other at the same x, the
# complex pair (the legend's one sample of the colour has no twin, and the
# curves of the same colour are no marker-sized blobs). Prints the
# markers' x and the y of the upper and the lower one (centres, window
# coordinates); nothing unless there is exactly one such pair.
poles() {
  clusters "$1" "$pole_colour" | awk '
    { w = $4 - $3 + 1; h = $6 - $5 + 1
      if ($2 >= 20 && w >= 5 && w <= 20 && h >= 5 && h <= 20) {
        m++; n[m] = $2; l[m] = $3; r[m] = $4; t[m] = $5; b[m] = $6 } }
    END {
      pairs = 0
      for (i = 1; i <= m; i++)
        for (j = i + 1; j <= m; j++)
          if (n[i] == n[j] && l[i] == l[j] && r[i] == r[j] && (b[i] < t[j] || b[j] < t[i])) {
            pairs++
            u = t[i] < t[j] ? i : j; d = u == i ? j : i
            line = (l[i] + r[i]) / 2 " " (t[u] + b[u]) / 2 " " (t[d] + b[d]) / 2
          }
      if (pairs == 1) print line
    }'
}

# The curves of the poles' colour in the left half of the explorer (the
# simulated step response and the closed loop's magnitude), as a list of
# pixels, so that two screenshots can be compared there alone.
left_curves() {
  awk -v want="$pole_colour" '
    { half = int(NF / 2)
      for (i = 1; i <= half; i++) if (substr($i, 3, 6) == want) print i - 1, NR - 1 }' \
    "$work/$1.px" >"$work/$1.curves"
}

# The lab's kept runs as its screenshot NAME shows them: the palette
# colours anywhere in the window, sorted, in $work/NAME.present; and the
# colours of the legend's rows from the top, in $work/NAME.legend. A row's
# sample is a short straight line, and the samples are in one column.
lab_runs() {
  clusters "$1" "$palette" >"$work/$1.clusters"
  awk '{ print $1 }' "$work/$1.clusters" | sort -u >"$work/$1.present"
  awk '
    { w = $4 - $3 + 1; h = $6 - $5 + 1
      if ($2 == w * h && h <= 3 && w >= 10 && w <= 40) { m++; c[m] = $1; l[m] = $3; t[m] = $5; column[$3]++ } }
    END {
      for (x in column) if (column[x] > best) { best = column[x]; at = x }
      for (i = 1; i <= m; i++) if (l[i] == at) print t[i], c[i]
    }' "$work/$1.clusters" | sort -n | awk '{ print $2 }' >"$work/$1.legend"
}

# JSON as one line a value: "kept_runs[0].inputs.feedback=1.5".
json_values() {
  awk 'BEGIN { RS = "\001" }
    { text = text $0 }
    END {
      depth = 0; len = length(text)
      for (i = 1; i <= len; i++) {
        c = substr(text, i, 1)
        if (c == "{") { depth++; kind[depth] = "o"; expect = 1 }
        else if (c == "[") { depth++; kind[depth] = "a"; index_[depth] = 0; expect = 0 }
        else if (c == "}" || c == "]") depth--
        else if (c == ",") { if (kind[depth] == "a") index_[depth]++; else expect = 1 }
        else if (c == ":") expect = 0
        else if (c == "\"" || c ~ /[-0-9tfn]/) {
          if (c == "\"") {
            value = ""
            for (i++; i <= len && substr(text, i, 1) != "\""; i++) {
              if (substr(text, i, 1) == "\\") i++
              value = value substr(text, i, 1)
            }
          } else {
            value = c
            while (i < len && substr(text, i + 1, 1) !~ /[],} \t\n\r]/) value = value substr(text, ++i, 1)
          }
          if (kind[depth] == "o" && expect) { key[depth] = value; continue }
          path = ""
          for (d = 1; d <= depth; d++)
            path = path (kind[d] == "a" ? "[" index_[d] "]" : (d > 1 ? "." : "") key[d])
          print path "=" value
        }
      }
    }' "$1"
}

menu=0
# The main window's oscilloscope cut out of a screenshot.
oscilloscope() {
  shot "$main" main || return 1
  awk -v top=$((chart_top + menu)) -v left="$chart_left" -v h="$chart_height" -v w="$chart_width" '
    NR > top && NR <= top + h {
      line = ""
      for (i = left + 1; i <= left + w; i++) line = line " " substr($i, 3, 6)
      print line }' "$work/main.px" >"$work/$1"
  [ "$(wc -l <"$work/$1")" -eq "$chart_height" ]
}
# How many rows of the oscilloscope hold a pixel of the velocity trace.
velocity_rows() {
  awk -v want="$velocity_colour" '
    { for (i = 1; i <= NF; i++) if ($i == want) { rows++; break } }
    END { print rows + 0 }' "$work/$1"
}
oscilloscope_still() {
  oscilloscope still1 && sleep 0.5 && oscilloscope still2 && cmp -s "$work/still1" "$work/still2"
}
oscilloscope_moved_since() {
  oscilloscope now || return 1
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
height=$(xdotool getwindowgeometry "$main" | awk '/Geometry:/ { split($2, size, "x"); print size[2] }')
menu=$((height - 513))
[ "$menu" -gt 10 ] && [ "$menu" -lt 60 ] || fail "no menu bar above the client area (window height $height)"
# The main window to the right of where the explorer opens, below the lab.
xdotool windowmove "$main" 1250 760 || fail "cannot move the main window"
poll 30 oscilloscope_still || fail "the oscilloscope did not settle"
[ "$(velocity_rows still2)" -eq 0 ] || fail "a velocity trace before any run"

# The lab window first, by its key (Ctrl+L), to the right of the explorer:
# with no kept run it shows no palette colour.
xdotool mousemove --window "$main" 300 $((menu + 100)) click 1 && sleep 0.3 && xdotool key ctrl+l ||
  fail "cannot press Ctrl+L"
poll 30 window_shown "$lab_title" || fail "Ctrl+L did not open the lab window"
lab=$(visible_window "$lab_title")
xdotool windowmove "$lab" 1250 30 || fail "cannot move the lab window"
sleep 0.5
shot "$lab" lab-0 || fail "no screenshot of the lab window"
lab_runs lab-0
[ ! -s "$work/lab-0.present" ] ||
  fail "the lab shows a kept run's colour with no run kept: $(cat "$work/lab-0.clusters")"

# Lab > Explore the feedback coefficient… by its key, Ctrl+E.
xdotool mousemove --window "$main" 300 $((menu + 100)) click 1 && sleep 0.3 && xdotool key ctrl+e ||
  fail "cannot press Ctrl+E"
poll 30 window_shown "$explorer_title" || fail "Ctrl+E did not open the explorer"
explorer=$(visible_window "$explorer_title")
echo "explorer shown: \"$explorer_title\""
sleep 0.5

# The explorer's window gets the keyboard by a click where nothing reacts.
focus_explorer() {
  xdotool mousemove --window "$explorer" "$explorer_idle_x" "$explorer_idle_y" click 1 && sleep 0.3
}

# The poles at the default k, a complex pair mirrored about the real axis.
shot "$explorer" explorer-0 || fail "no screenshot of the explorer"
set -- $(poles explorer-0)
[ "$#" -eq 3 ] || fail "no pair of pole markers on the pole map: $(clusters explorer-0 "$pole_colour")"
pole_x=$1 upper=$2 lower=$3
echo "poles at k = $default_k: x $pole_x, y $upper and $lower"
left_curves explorer-0

# A place in the lab window where a click only brings the keyboard to it
# (the sweep group's title row), and one in its table.
lab_idle_x=600 lab_idle_y=571
lab_table_x=400 lab_table_y=500
focus_lab() {
  xdotool mousemove --window "$lab" "$lab_idle_x" "$lab_idle_y" click 1 && sleep 0.3
}

# A file's lines as words on one line.
words() { tr '\n' ' ' <"$work/$1"; }

# After a run is kept, the lab's legend lists the earlier runs in the
# colours they had, then the new run in a colour no earlier run has; and no
# palette colour shows in the window but the legend's. The new run's colour
# goes to $work/colour-N.
kept_count=0
lab_kept() {
  kept_count=$((kept_count + 1))
  name=lab-$kept_count
  previous=lab-$((kept_count - 1))
  new_row() {
    shot "$lab" "$name" && lab_runs "$name" &&
      [ "$(wc -l <"$work/$name.legend")" -gt "$(wc -l <"$work/$previous.legend")" ]
  }
  poll 10 new_row || fail "keeping run $kept_count ($1) added no row to the lab's legend: $(cat "$work/$name.clusters")"
  added=$(tail -n 1 "$work/$name.legend")
  { cat "$work/$previous.legend"; echo "$added"; } >"$work/expected.legend"
  cmp -s "$work/expected.legend" "$work/$name.legend" ||
    fail "after keeping run $kept_count ($1) the legend's colours are $(words "$name.legend"), not the earlier runs' $(words "$previous.legend") and one more"
  ! grep -q -x -F "$added" "$work/$previous.legend" ||
    fail "run $kept_count ($1) was kept in the colour #$added of an earlier run"
  sort -u "$work/$name.legend" | cmp -s - "$work/$name.present" ||
    fail "after keeping run $kept_count ($1) the lab shows the colours $(words "$name.present"), its legend $(words "$name.legend")"
  echo "$added" >"$work/colour-$kept_count"
  echo "run $kept_count ($1) kept in colour #$added"
}

# "Keep" (Alt+E) at the default k: the lab shows the run in its colour.
focus_explorer || fail "cannot click into the explorer"
xdotool key alt+e || fail "cannot press Keep"
lab_kept "k = $default_k"

# The k slider by its label's key (Alt+K), two pages up: after each the
# poles move apart along the locus, mirrored about the real axis, and the
# response curves change. The complex poles share their real part whatever
# k, and the pole map keeps the layout it was first shown with, so the
# markers stay in their column.
focus_explorer || fail "cannot click into the explorer"
xdotool key alt+k || fail "cannot press Alt+K"
shots=0
last=explorer-0
# moved_apart: after a key, the poles are further from the real axis than
# in the last screenshot, by the same on both sides; and the curves moved.
moved_apart() {
  shots=$((shots + 1))
  shot "$explorer" "explorer-$shots" || return 1
  set -- $(poles "explorer-$shots")
  [ "$#" -eq 3 ] && [ "$1" = "$pole_x" ] || return 1
  awk -v u="$2" -v d="$3" -v u0="$upper" -v d0="$lower" \
    'BEGIN { exit !(u < u0 && d > d0 && u0 - u == d - d0) }' || return 1
  left_curves "explorer-$shots"
  ! cmp -s "$work/$last.curves" "$work/explorer-$shots.curves" || return 1
  upper=$2 lower=$3 last=explorer-$shots
}
for page in 1 2; do
  xdotool key Page_Up || fail "cannot press Page Up"
  poll 10 moved_apart || fail "Page Up $page did not move the poles apart and the curves"
  echo "Page Up $page: poles at y $upper and $lower"
done
xdotool key alt+e || fail "cannot press Keep"
lab_kept "two pages up"

# Ten steps up by the arrow key: each changes the explorer's picture (the
# number box shows the new k), and the ten together move the poles apart.
focus_explorer || fail "cannot click into the explorer"
xdotool key alt+k || fail "cannot press Alt+K"
# Still while nothing is pressed (no cursor blinks in a box): a change is
# the key's.
explorer_still() {
  shot "$explorer" explorer-still1 && sleep 0.6 && shot "$explorer" explorer-still2 && sleep 0.6 &&
    shot "$explorer" explorer-arrows && cmp -s "$work/explorer-still1.px" "$work/explorer-still2.px" &&
    cmp -s "$work/explorer-still2.px" "$work/explorer-arrows.px"
}
poll 10 explorer_still || fail "the explorer's picture changes by itself"
changed() {
  shots=$((shots + 1))
  shot "$explorer" "explorer-$shots" && ! cmp -s "$work/$last.px" "$work/explorer-$shots.px" &&
    last=explorer-$shots
}
last=explorer-arrows
for step in 1 2 3 4 5 6 7 8 9 10; do
  xdotool key Up || fail "cannot press Up"
  poll 10 changed || fail "Up $step did not change the explorer's picture"
done
last=explorer-arrows
set -- $(poles explorer-arrows)
upper=$2 lower=$3
poll 10 moved_apart || fail "ten steps up did not move the poles apart"
echo "ten steps up: poles at y $upper and $lower"
xdotool key alt+e || fail "cannot press Keep"
lab_kept "ten steps more"

# The upper pole dragged up, away from the real axis, along the locus: it
# follows the mouse, its twin mirrors it, and k grows with the distance.
set -- $(poles "$last")
pole_x=$1 upper=$2 lower=$3
x=${pole_x%.*} y=${upper%.*}
xdotool mousemove --window "$explorer" "$x" "$y" mousedown 1 || fail "cannot press the mouse on the pole"
for dy in 8 16 24 32 40; do
  sleep 0.1
  xdotool mousemove --window "$explorer" "$x" $((y - dy)) || fail "cannot drag the pole"
done
sleep 0.1
xdotool mouseup 1 || fail "cannot release the pole"
dragged_to=$((y - 40))
# The mouse off the chart, whose readout draws cross hairs through it.
xdotool mousemove --window "$explorer" "$explorer_idle_x" "$explorer_idle_y" ||
  fail "cannot move the mouse"
followed() {
  shots=$((shots + 1))
  shot "$explorer" "explorer-$shots" || return 1
  set -- $(poles "explorer-$shots")
  [ "$#" -eq 3 ] && [ "$1" = "$pole_x" ] || return 1
  awk -v u="$2" -v d="$3" -v u0="$upper" -v d0="$lower" -v to="$dragged_to" \
    'BEGIN { exit !(u - to <= 2 && to - u <= 2 && u0 - u == d - d0) }' || return 1
  upper=$2 lower=$3 last=explorer-$shots
}
poll 10 followed || fail "the dragged pole did not follow the mouse to y $dragged_to"
echo "the upper pole dragged to y $upper, its twin to $lower"
focus_explorer || fail "cannot click into the explorer"
xdotool key alt+e || fail "cannot press Keep"
lab_kept "pole dragged"

# "Run on the drive" (Alt+R): the main window resets and runs with the
# explorer's inputs and k; its oscilloscope's traces rise and move.
focus_explorer || fail "cannot click into the explorer"
xdotool key alt+r || fail "cannot press Run on the drive"
poll 30 oscilloscope_moved_since still2 || fail "the traces did not rise after Run on the drive"
echo "Run on the drive: the oscilloscope's traces rose over $(velocity_rows now) rows"
mv "$work/now" "$work/running1"
poll 30 oscilloscope_moved_since running1 || fail "the traces stopped moving"
echo "the traces keep moving"

# "Keep run" (Alt+K) in the lab: the main window's run, kept in a colour of
# its own, all the others unchanged.
focus_lab || fail "cannot click into the lab window"
xdotool key alt+k || fail "cannot press Keep run"
lab_kept "the drive's run"

# The first kept run removed: its row selected in the table (the current
# run's row first, then the kept runs in the order kept), "Remove"
# (Alt+R). Its colour goes, and every other run keeps its own.
xdotool mousemove --window "$lab" "$lab_table_x" "$lab_table_y" click 1 && sleep 0.3 &&
  xdotool key ctrl+Home Down && sleep 0.3 && xdotool key alt+r || fail "cannot remove the first kept run"
focus_lab || fail "cannot click into the lab window"
removed_colour=$(cat "$work/colour-1")
grep -v -x -F "$removed_colour" "$work/lab-$kept_count.legend" >"$work/left.legend"
removed() {
  shot "$lab" lab-removed && lab_runs lab-removed && cmp -s "$work/lab-removed.legend" "$work/left.legend" &&
    sort -u "$work/left.legend" | cmp -s - "$work/lab-removed.present"
}
poll 10 removed ||
  fail "after the first run's removal the lab's legend shows the colours $(words lab-removed.legend) (the window $(words lab-removed.present)), not those of the runs left, $(words left.legend)"
echo "run 1 removed: its colour #$removed_colour gone, the four others unchanged"

# "Exit" asks before the kept runs are lost; "Save" writes the scenario.
xdotool mousemove --window "$main" "$exit_x" $((exit_y + menu)) click 1 || fail "cannot click Exit"
question_shown() { window_shown "$question_title"; }
poll 30 question_shown || fail "Exit did not ask before the kept runs are lost"
sleep 0.5
xdotool key alt+s || fail "cannot answer Save"
poll 30 window_shown "$scenario_title" || fail "no file dialog for the scenario"
sleep 0.5
xdotool type "$work/explored.drivesim" && xdotool key Return || fail "cannot type the scenario's name"
poll 30 ended || fail "the program did not end after Exit and Save"
status=$(cat "$work/status")
[ "$status" -eq 0 ] || fail "the program ended with exit status $status"
echo "program ended with exit status 0, the scenario saved"

# The scenario: the four runs left, with the k each was kept at.
json_values "$work/explored.drivesim" >"$work/values" || fail "cannot read the scenario"
value() { sed -n "s/^$1=//p" "$work/values" | head -n 1; }
runs=$(grep -c '^kept_runs\[[0-9]*\]\.label=' "$work/values")
[ "$runs" -eq 4 ] || fail "the scenario holds $runs kept runs, not 4: $(cat "$work/explored.drivesim")"
k_pages=$(value 'kept_runs\[0\]\.inputs\.feedback')
k_arrows=$(value 'kept_runs\[1\]\.inputs\.feedback')
k_dragged=$(value 'kept_runs\[2\]\.inputs\.feedback')
k_drive=$(value 'kept_runs\[3\]\.inputs\.feedback')
k_main=$(value 'inputs\.feedback')
# The slider's position of the default k, two pages (a twentieth of the
# steps each) up, then ten steps; k at a position is the range's share.
expected=$(awk -v f="$range_from" -v t="$range_to" -v s="$slider_steps" -v k="$default_k" 'BEGIN {
  p = int((k - f) / (t - f) * s + 0.5) + 2 * int(s / 20)
  printf "%.17g %.17g\n", f + (t - f) * p / s, f + (t - f) * (p + 10) / s }')
set -- $expected
awk -v got="$k_pages" -v want="$1" 'BEGIN { exit !(got == want) }' ||
  fail "the run kept two pages up has k = $k_pages, not $1"
awk -v got="$k_arrows" -v want="$2" 'BEGIN { exit !(got == want) }' ||
  fail "the run kept ten steps further has k = $k_arrows, not $2"
echo "kept at k = $k_pages after two Page Ups and k = $k_arrows after ten Ups"
[ "$(value 'kept_runs\[0\]\.label')" = "k = $k_pages" ] ||
  fail "the run kept at k = $k_pages is labelled \"$(value 'kept_runs\[0\]\.label')\""
awk -v got="$k_dragged" -v before="$k_arrows" 'BEGIN { exit !(got > before) }' ||
  fail "the pole dragged away from the real axis gave k = $k_dragged, not more than $k_arrows"
echo "kept at k = $k_dragged after the pole's drag"
[ "$k_main" = "$k_dragged" ] ||
  fail "Run on the drive left k = $k_main in the main window, not the explorer's $k_dragged"
[ "$k_drive" = "$k_dragged" ] ||
  fail "the drive's run kept in the lab has k = $k_drive, not the explorer's $k_dragged"
echo "the main window's k is the explorer's, $k_main"
finish 0
