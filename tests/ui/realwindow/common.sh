# The helpers the real-window tests share: waiting for a condition and
# finding a visible window by its title. Sourced by realwindow.sh and
# explorer.sh, after they have checked their tools.

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
