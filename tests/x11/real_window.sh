#!/bin/sh
# The real window under a window manager: where the first question stands, and
# that the status bar shows every amount whole at the first size and at the
# smallest width. Usage: PROGRAM NEWDB SAMPLE EXPORT
for tool in xvfb-run openbox xdotool; do command -v $tool >/dev/null || { echo "SKIP: no $tool"; exit 77; }; done
[ -z "$REAL_WINDOW_IN_X" ] && REAL_WINDOW_IN_X=1 exec xvfb-run -a -s "-screen 0 1280x1024x24" sh "$0" "$@"
WORK=$(mktemp -d) FAILS=0 APP=
trap 'kill $APP $WM 2>/dev/null; rm -rf "$WORK"' EXIT
export QT_QPA_PLATFORM=xcb XDG_CONFIG_HOME="$WORK" XDG_RUNTIME_DIR="$WORK"
openbox & WM=$! && sleep 1
fail() { echo "FAIL: $*"; FAILS=$((FAILS + 1)); }
window() { for i in $(seq 100); do xdotool search --onlyvisible --name "$1" 2>/dev/null | head -1 | grep . && return; sleep 0.1; done; }
# The centre of a window on the screen, as "x y".
centre() { xdotool getwindowgeometry "$1" | awk '/Position/ { split($2, p, ",") } /Geometry/ { split($2, s, "x") }
    END { print p[1] + s[1] / 2, p[2] + s[2] / 2 }'; }
start() { cp "$1" "$WORK/" && "$WORK/Tamberlock" 2>"$WORK/log" & APP=$!; }

# The offer of a first company stands centred on the main window, however
# the window manager placed that window.
for n in 1 2 3 4 5; do
    rm -f "$WORK/Tamberlock.mdb" && "$2" "$WORK/Tamberlock.mdb" && start "$1"
    box=$(window "Add New Company?") main=$(window "^Tamberlock$")
    sleep 0.5
    off=$(echo "$(centre "$box") $(centre "$main")" | awk '{ d = ($1 - $3) ^ 2 + ($2 - $4) ^ 2; print (d > 900) }')
    [ "$off" = 0 ] || fail "start $n: the question stands at $(centre "$box"), the window's centre is $(centre "$main")"
    kill $APP; wait $APP 2>/dev/null
done

# A company owing nothing but paid millions: its balance is negative.
rm -f "$WORK/Tamberlock.mdb" && "$3" "$WORK/Tamberlock.mdb" --companies 1 --projects 1 --charges 30 --running 0 \
    --payments 4000 || fail "no sample database"
money() { awk -v v="$1" 'BEGIN { s = v < 0 ? "-" : ""; v = v < 0 ? -v : v; i = int(v); d = sprintf("%.2f", v - i);
    t = ""; while (i >= 1000) { t = sprintf(",%03d", i % 1000) t; i = int(i / 1000) } print s "$" i t substr(d, 2) }'; }
figures=$("$4" balance --db "$WORK/Tamberlock.mdb" | tail -1)
want2=$(money "$(echo "$figures" | cut -d, -f3)") want4=$(money "$(echo "$figures" | cut -d, -f4)")
want6=$(money "$(echo "$figures" | cut -d, -f5)")
QT_LOGGING_RULES="tamberlock.windows.info=true" start "$1"
main=$(window "^Tamberlock$") && sleep 1
# A click on the company's row (the first, below the list's header).
eval "$(xdotool getwindowgeometry --shell "$main")"
xdotool mousemove $((X + 60)) $((Y + 84)) sleep 0.3 click 1 && sleep 1.5
panels() {
    for i in 2 4 6; do
        line=$(grep "panel StBr1_$i " "$WORK/log" | tail -1)
        eval want=\$want$i
        echo "$line" | grep -qF "\"$want\"" || fail "$1: panel $i shows ${line:-nothing}, the figures say $want"
        echo "$line" | awk '{ if ($(NF - 2) > $NF) exit 1 }' || fail "$1: panel $i is cut: $line"
    done
}
panels "first size"
xdotool windowsize "$main" 100 100 && sleep 1.5
width=$(xdotool getwindowgeometry "$main" | awk '/Geometry/ { split($2, s, "x"); print s[1] }')
[ "$width" -le 410 ] || fail "the window did not shrink to its smallest width ($width)"
panels "smallest width"
kill $APP; wait $APP 2>/dev/null
[ $FAILS = 0 ]
