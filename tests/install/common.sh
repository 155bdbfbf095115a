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

# A script that starts the first level from the menu and places the pieces
# of its solution, found by the installed level tool, as a player would
# (the browser test's own helper writes it); then it dumps the state and
# continues to the next level. Takes the installed share folder (holding
# data/) and the level tool.
web_helpers=$(cd "$(dirname "${BASH_SOURCE[0]}")/../web" && pwd)
first_level_script() {
  python3 "$web_helpers/game_data.py" "$1" "$2"
}
