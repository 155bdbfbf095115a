# Helpers shared by the installation tests: failures are counted, not fatal,
# so that one run lists every problem.
failures=0
fail() {
  echo "FAIL: $*" >&2
  failures=$((failures + 1))
}
finish() {
  if [ "$failures" -ne 0 ]; then
    echo "$failures check(s) failed" >&2
    exit 1
  fi
  echo "all checks passed"
}

# Item N of a layout file (comments and blank lines skipped) as "x y w h" in
# client pixels: the file's y counts from 26 pixels above the client area.
layout_item() {
  awk -F, -v n="$2" '{ sub(/\r$/, "") } /^;/ || /^$/ { next } { if (i++ == n) { print $1, $2 - 26, $3, $4; exit } }' "$1"
}

# A script that starts the first level from the menu and places the pieces
# of its solution, found by the installed level tool, as a player would: tap
# a tray piece of the right kind, turn it there, drag it to its cell; then it
# dumps the state and continues to the next level. Needs the game (for the
# tray) and the level tool.
first_level_script() {
  local game=$1 levels_tool=$2 data=$3
  local x y w h
  read -r x y w h < <(layout_item "$data/qw_layout.dat" 3)
  local start="tap $((x + w / 2)) $((y + h / 2))"
  local tx ty bx by
  read -r tx ty _ _ < <(layout_item "$data/qw_layout.dat" 16)
  read -r bx by _ _ < <(layout_item "$data/qw_layout.dat" 17)
  local tray
  tray=$(printf '%s\ndump\n' "$start" | "$game" --script - | sed -n 's/^tray //p')
  read -r -a slots <<<"$tray"
  local solution
  solution=$("$levels_tool" solve "$data/qw_levels.dat" 1)
  echo "$start"
  # Pieces go on in the reverse of the order the water reaches them.
  local pieces
  read -r -a pieces <<<"${solution#level 1: }"
  local i
  for ((i = ${#pieces[@]} - 1; i >= 0; --i)); do
    local piece=${pieces[i]} kind cell rot slot
    kind=${piece%%@*}
    cell=${piece#*@}
    cell=${cell%%/*}
    rot=${piece##*/r}
    case $kind in elbow) kind=0 ;; bend) kind=8 ;; splitter) kind=16 ;; esac
    for ((slot = 0; slot < 10; ++slot)); do
      [ "${slots[slot]%%:*}" = "$kind" ] && break
    done
    slots[slot]=used
    local fx=$((tx + 1 + 21 * slot + 10)) fy=$((ty + 11))
    echo "tap $fx $fy"
    for ((r = 0; r < rot; ++r)); do echo rotate-cw; done
    echo "drag $fx $fy $((bx + 1 + 21 * (cell % 10) + 10)) $((by + 1 + 21 * (cell / 10) + 10))"
  done
  # Solved: the continue button shows the next level's password.
  read -r x y w h < <(layout_item "$data/qw_layout.dat" 12)
  printf 'dump\ntap %d %d\ndump\n' $((x + w / 2)) $((y + h / 2))
}
