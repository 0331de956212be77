#!/usr/bin/env bash
# glimbert against the two stand-in partner programs over a real accessibility bus:
# Xvfb, a D-Bus session bus, at-spi-bus-launcher (which brings the accessibility bus and
# at-spi2-registryd), the table and picker stand-ins and glimbert itself. Three copy cycles
# with three threads must leave the list with the rows the list rules give.
#   glimbert_e2e.sh GLIMBERT STANDIN_TABLE STANDIN_PICKER [SHOT.png]
# Exit 0 passed, 1 failed, 77 skipped (no Xvfb, D-Bus or at-spi2-core here).
set -u

if [ $# -lt 3 ]; then
  echo "usage: $0 GLIMBERT STANDIN_TABLE STANDIN_PICKER [SHOT.png]" >&2
  exit 2
fi

# Everything runs in a process group of its own, so whatever the bus daemons start (they
# detach from their parents) is ended with it.
if [ "$(ps -o pgid= -p $$ | tr -d ' ')" != "$$" ]; then
  exec setsid --wait bash "$0" "$@"
fi

glimbert=$1 table=$2 picker=$3 shot=${4:-}
launcher=/usr/libexec/at-spi-bus-launcher
for tool in Xvfb dbus-daemon; do
  if ! command -v "$tool" >/dev/null; then
    echo "SKIPPED: $tool is not installed; the accessibility bus cannot start" >&2
    exit 77
  fi
done
if [ ! -x "$launcher" ]; then
  echo "SKIPPED: $launcher (at-spi2-core) is not installed; the accessibility bus cannot start" >&2
  exit 77
fi

# The live processes of our group but ourselves (and the ps reading it).
group_members() {
  ps -eo pid=,pgid=,stat= | awk -v me=$$ '$2 == me && $1 != me && $3 !~ /^Z/ {print $1}' |
    grep -vx "$BASHPID" || true
}

work=$(mktemp -d "${TMPDIR:-/tmp}/glimbert-e2e.XXXXXX")
cleanup() {
  trap - EXIT INT TERM
  exec 7>&- 8>&- 9>&- 2>/dev/null
  # Every process of our group but ourselves, the daemons the bus started included.
  local pids
  pids=$(group_members)
  [ -n "$pids" ] && kill $pids 2>/dev/null
  sleep 0.3
  pids=$(group_members)
  [ -n "$pids" ] && kill -9 $pids 2>/dev/null
  # GLIMBERT_E2E_KEEP=DIR keeps the logs of the run there.
  [ -n "${GLIMBERT_E2E_KEEP:-}" ] && cp -r "$work" "$GLIMBERT_E2E_KEEP"
  rm -rf "$work"
}
trap cleanup EXIT
trap 'exit 1' INT TERM
# The whole run may take this long; ctest's own timeout is longer.
( sleep 75; echo "FAILED: the run took longer than 75 s" >&2; kill -TERM $$ ) &

fail() {
  echo "FAILED: $*" >&2
  for f in "$work"/*.out "$work"/*.err; do
    [ -s "$f" ] && { echo "--- $(basename "$f")" >&2; tail -n 20 "$f" >&2; }
  done
  exit 1
}

# wait_for FILE PATTERN COUNT SECONDS: until FILE holds COUNT lines matching PATTERN.
wait_for() {
  local until=$((SECONDS + $4))
  while [ "$(grep -c -E -- "$2" "$1" 2>/dev/null || true)" -lt "$3" ]; do
    [ $SECONDS -ge $until ] && return 1
    sleep 0.1
  done
}

# The X server: the first free display.
Xvfb -displayfd 5 -screen 0 1340x600x24 -nolisten tcp 5>"$work/display" 2>"$work/xvfb.err" &
wait_for "$work/display" '^[0-9]+$' 1 15 || {
  echo "SKIPPED: Xvfb did not start: $(tail -n 3 "$work/xvfb.err")" >&2
  exit 77
}
export DISPLAY=":$(cat "$work/display")"

export XDG_RUNTIME_DIR="$work/run"
mkdir -m 700 "$XDG_RUNTIME_DIR"
unset AT_SPI_BUS_ADDRESS NO_AT_BRIDGE WAYLAND_DISPLAY
export QT_QPA_PLATFORM=xcb QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 QT_ACCESSIBILITY=1

# start_buses N: a session bus of our own, then the accessibility bus beside it. The launcher
# now and then gives up at once on a fresh session bus ("Failed to connect to session bus");
# both are then started again, up to three times in all.
start_buses() {
  dbus-daemon --session --nofork --print-address=5 5>"$work/bus" 2>"$work/dbus.err" &
  bus_pid=$!
  # The address is read until it is whole: a read racing the daemon's write can come back
  # empty, and an empty address would send every client to autolaunch a bus of its own.
  local address="" until=$((SECONDS + 15))
  until [[ $address =~ ^unix:.*guid=[0-9a-f]{32}$ ]]; do
    if [ $SECONDS -ge $until ]; then
      echo "SKIPPED: the D-Bus session bus did not start: $(tail -n 3 "$work/dbus.err")" >&2
      exit 77
    fi
    sleep 0.1
    address=$(grep -m 1 -E '^unix:' "$work/bus" 2>/dev/null || true)
  done
  export DBUS_SESSION_BUS_ADDRESS=$address
  # Taking calls before anything relies on it.
  until=$((SECONDS + 10))
  until dbus-send --session --print-reply --dest=org.freedesktop.DBus / org.freedesktop.DBus.GetId >/dev/null 2>/dev/null; do
    [ $SECONDS -ge $until ] && return 1
    sleep 0.1
  done
  "$launcher" --launch-immediately >"$work/launcher.out" 2>&1 &
  launcher_pid=$!
  until=$((SECONDS + 15))
  while [ $SECONDS -lt $until ]; do
    ls "$XDG_RUNTIME_DIR"/at-spi/bus* >/dev/null 2>&1 && return 0
    kill -0 "$launcher_pid" 2>/dev/null || break
    sleep 0.1
  done
  kill "$launcher_pid" "$bus_pid" 2>/dev/null || true
  wait "$launcher_pid" "$bus_pid" 2>/dev/null || true
  rm -rf "$XDG_RUNTIME_DIR/at-spi"
  return 1
}
launched=""
for attempt in 1 2 3; do
  start_buses && { launched=yes; break; }
  sleep 0.3
done
[ -n "$launched" ] || {
  echo "SKIPPED: the accessibility bus did not start: $(tail -n 3 "$work/launcher.out")" >&2
  exit 77
}

# The partners, each driven through a FIFO on its standard input.
mkfifo "$work/table.in" "$work/picker.in" "$work/glimbert.in"
"$table" 0 0 0 0 <"$work/table.in" >"$work/table.out" 2>"$work/table.err" &
exec 7>"$work/table.in"
"$picker" <"$work/picker.in" >"$work/picker.out" 2>"$work/picker.err" &
exec 8>"$work/picker.in"
wait_for "$work/table.out" '^ready$' 1 20 || fail "the table stand-in did not come up"
wait_for "$work/picker.out" '^ready$' 1 20 || fail "the picker stand-in did not come up"

"$glimbert" --picker-app glimbert-standin-picker --cycles-from-stdin \
  <"$work/glimbert.in" >"$work/glimbert.out" 2>"$work/glimbert.err" &
exec 9>"$work/glimbert.in"

# Both partners must be visible on the bus before the first cycle.
found=0
until=$((SECONDS + 30))
while [ $SECONDS -lt $until ]; do
  n=$(grep -c '^table' "$work/glimbert.out" 2>/dev/null || true)
  echo status >&9
  wait_for "$work/glimbert.out" '^table' $((n + 1)) 10 || fail "glimbert does not answer"
  if tail -n 1 "$work/glimbert.out" | grep -qx 'table found picker found'; then
    found=1
    break
  fi
  sleep 0.3
done
[ $found = 1 ] || fail "glimbert did not find both partners: $(tail -n 1 "$work/glimbert.out")"

tab=$'\t'
# thread NUMBER R G B -> the C M Y K the picker shows for it.
threads=("321 199 43 59" "798 70 106 142" "3865 250 246 240")
expected=("0 78 70 22" "51 25 0 44" "0 2 4 2")
for i in 0 1 2; do
  echo "thread ${threads[$i]}" >&7
  wait_for "$work/table.out" '^(ok|bad thread)$' $((i + 1)) 10 || fail "the table stand-in does not answer"
  # The first cycle runs with the keyboard in the table's number field, the last with the
  # picker's window active: keys may only go to a field that has the focus.
  if [ $i = 0 ]; then
    echo activate >&7
    wait_for "$work/table.out" '^activated$' 1 10 || fail "the table stand-in does not answer"
  elif [ $i = 2 ]; then
    echo activate >&8
    wait_for "$work/picker.out" '^activated$' 1 10 || fail "the picker stand-in does not answer"
  fi
  echo cycle >&9
  wait_for "$work/glimbert.out" '^(Written|EmptyHandle|Unreachable|NotANumber)' $((i + 1)) 20 ||
    fail "cycle $((i + 1)) did not finish"
  outcome=$(grep -E '^(Written|EmptyHandle|Unreachable|NotANumber)' "$work/glimbert.out" | tail -n 1)
  want=("Written 0 1" "Written 0 6" "Written 1 1")
  [ "$outcome" = "${want[$i]}" ] || fail "cycle $((i + 1)) gave \"$outcome\", not \"${want[$i]}\""
  echo dump >&8
  wait_for "$work/picker.out" '^fields ' $((i + 1)) 10 || fail "the picker stand-in does not answer"
  shown=$(grep '^fields ' "$work/picker.out" | tail -n 1)
  echo keys >&8
  wait_for "$work/picker.out" '^keys ' $((i + 1)) 10 || fail "the picker stand-in does not answer"
  keys=$(grep '^keys ' "$work/picker.out" | tail -n 1)
  # Whether the picker's activation lands before the last cycle depends on the X server's
  # timing: its nine characters come as keys where the focus is there, else inserted.
  want_keys=("keys 0" "keys 0" "keys [0-9]")
  [[ "$keys" =~ ^${want_keys[$i]}$ ]] || fail "the picker got \"$keys\" after cycle $((i + 1)), not \"${want_keys[$i]}\""
  echo fields >&7
  wait_for "$work/table.out" '^fields' $((i + 1)) 10 || fail "the table stand-in does not show its fields"
  fields=$(grep '^fields' "$work/table.out" | tail -n 1)
  [ "$fields" = "fields${tab}${threads[$i]// /$tab}" ] ||
    fail "typing reached the table: its fields are \"$fields\" after cycle $((i + 1))"
  rgb=${threads[$i]#* }
  [ "$shown" = "fields $rgb ${expected[$i]}" ] ||
    fail "the picker shows \"$shown\" after cycle $((i + 1)), not \"fields $rgb ${expected[$i]}\""
done

# The list: row 0 holds the first two threads, row 1 the third.
echo dump >&7
wait_for "$work/table.out" '^end$' 1 10 || fail "the table stand-in does not dump its list"
row0="row${tab}0${tab}0${tab}78${tab}70${tab}22${tab}321${tab}51${tab}25${tab}0${tab}44${tab}798"
row1="row${tab}1${tab}0${tab}2${tab}4${tab}2${tab}3865${tab}${tab}${tab}${tab}${tab}"
rows=$(grep '^row' "$work/table.out")
[ "$rows" = "$row0"$'\n'"$row1" ] || fail "the list holds
$rows
and not
$row0
$row1"

if [ -n "$shot" ]; then
  command -v import >/dev/null || fail "no ImageMagick import for the screenshot"
  sleep 0.5
  import -window root "$shot" || fail "the screenshot failed"
fi
echo "glimbert filled the list over the accessibility bus: 3 cycles, 2 rows"
exit 0
