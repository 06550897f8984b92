#!/bin/sh
# Real keys under a real window manager: first focus, which window takes the
# keyboard, what closing the main window ends. Usage: PROGRAM NEWDB
for tool in xvfb-run openbox xdotool xprop; do command -v $tool >/dev/null || { echo "SKIP: no $tool"; exit 77; }; done
[ -z "$REAL_KEYS_IN_X" ] && REAL_KEYS_IN_X=1 exec xvfb-run -a sh "$0" "$@"
WORK=$(mktemp -d) FAILS=0 APP=
trap 'kill $APP $WM 2>/dev/null; rm -rf "$WORK"' EXIT
export QT_QPA_PLATFORM=xcb XDG_CONFIG_HOME="$WORK" XDG_RUNTIME_DIR="$WORK"
openbox & WM=$! && sleep 1
fail() { echo "FAIL: $*"; FAILS=$((FAILS + 1)); }
# Waits up to ten seconds for the window with the keyboard to match $1.
active() {
    for i in $(seq 100); do xdotool getactivewindow getwindowname | grep -q -- "$1" && return 0 || sleep 0.1; done
    fail "\"$1\" lacks the keyboard ($(xdotool getactivewindow getwindowname))" && return 1
}
keys() { active "$1" && shift && xdotool "$@" && sleep 0.3; }
# Texts are stored as they are: a saved one is found in the file.
saved() { grep -q -- "$1" "$WORK/Tamberlock.mdb" || fail "\"$1\" was not saved"; }
start() { cp "$1" "$WORK/" && rm -f "$WORK/Tamberlock.mdb" && "$2" "$WORK/Tamberlock.mdb"; "$WORK/Tamberlock" & APP=$!; }

start "$1" "$2"
keys "Add New Company?" key Return
keys "Add New Company$" type "Key Board"
keys "Add New Company$" key Tab Tab Tab Tab Tab Tab type 1234567890
keys "Add New Company$" key Tab Return && keys "Record Added" key Return sleep 0.5 key Escape # no project
saved "Key Board" && saved "123456-7890"
keys "^Tamberlock" key alt+c sleep 0.3 key y
keys "Add New Payment" key Tab Tab Tab Tab Tab Tab Tab type "Keyed comment"
keys "Add New Payment" key shift+Tab space
keys "Types Of Payment" key alt+a && keys "Add New Payment Type" type "Wire" && xdotool key Return
keys "Record Added" key Return # the keyboard goes back to the types, so Esc closes them
keys "Types Of Payment" key Escape
keys "Add New Payment" key Return && keys "Payment Added" key Return sleep 0.5 key Escape
saved "Keyed comment"
main=$(printf '0x%x' "$(xdotool getactivewindow)")
for k in F4 F1; do
    keys "^Tamberlock" key $k
    xprop -id "$(xdotool getactivewindow)" WM_TRANSIENT_FOR | grep -q "$main" || fail "$k window not owned"
    xdotool windowactivate --sync "$main"
done
kill $APP && wait $APP

start "$1" "$2"
active "Add New Company?" && xdotool windowactivate --sync "$(xdotool search --onlyvisible --name '^Tamberlock$')"
xdotool key alt+F4
for i in $(seq 50); do kill -0 $APP 2>/dev/null && sleep 0.1; done
kill -0 $APP 2>/dev/null && fail "the program runs on after its main window closed"
[ $FAILS = 0 ]
