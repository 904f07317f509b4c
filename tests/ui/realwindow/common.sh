# The helpers the real-window tests share: starting on a virtual display,
# waiting for a condition and finding a visible window by its title.
# Sourced by realwindow.sh and explorer.sh before anything else.

# Runs the sourcing script again on a virtual X display of the size $1
# (WIDTHxHEIGHT, 24-bit colour, so that every pixel is four bytes in the
# screenshots, on a free display number) with the script's arguments after
# it, unless it runs on one already; exits 77 (a skipped test) when xvfb-run
# is not installed. On the display, fails unless the tools the tests drive
# the windows with are there.
on_virtual_display() {
  screen=$1
  shift
  if [ -z "${REALWINDOW_ON_DISPLAY:-}" ]; then
    if ! command -v xvfb-run >/dev/null 2>&1; then
      echo "SKIPPED: xvfb-run is not installed (scripts/install-deps.sh installs it)"
      exit 77
    fi
    REALWINDOW_ON_DISPLAY=1 exec xvfb-run -a -s "-screen 0 ${screen}x24 -nolisten tcp" \
      sh "$0" "$@"
  fi
  for tool in xdotool xwd od awk; do
    if ! command -v "$tool" >/dev/null 2>&1; then
      echo "FAIL: $tool is not installed (scripts/install-deps.sh installs it)"
      exit 1
    fi
  done
}

# Runs the command every 0.2 s until it succeeds, for at most $1 seconds.
poll() {
  limit=$(($1 * 5))
  shift
  n=0
  while ! "$@"; do
    n=$((n + 1))
    [ "$n" -ge "$limit" ] && return 1
    sleep 0.2
  done
  return 0
}

# The id of the visible window with exactly this title, if there is one.
visible_window() {
  xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | head -n 1
}
window_shown() { [ -n "$(visible_window "$1")" ]; }
