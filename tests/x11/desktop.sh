#!/bin/sh
# The desktop companions with real input under Xvfb, openbox and a tray: one
# start per database, windows as they were left, the question after time away
# and the reminder. Usage: PROGRAM NEWDB [SHOTS_FOLDER]
for tool in xvfb-run openbox trayer xdotool sqlite3; do command -v $tool >/dev/null || { echo "SKIP: no $tool"; exit 77; }; done
[ -z "$DESKTOP_IN_X" ] && DESKTOP_IN_X=1 exec xvfb-run -a -s "-screen 0 1280x1024x24" sh "$0" "$@"
WORK=$(mktemp -d) FAILS=0 APP= SHOTS=${3:-}
trap 'kill $APP $TRAY $WM 2>/dev/null; rm -rf "$WORK"' EXIT
export QT_QPA_PLATFORM=xcb XDG_CONFIG_HOME="$WORK/config" XDG_RUNTIME_DIR="$WORK/run"
mkdir -p "$XDG_RUNTIME_DIR" "$WORK/config/Kiv" && chmod 700 "$XDG_RUNTIME_DIR"
openbox & WM=$! && sleep 1
trayer --edge top --align right --widthtype request --height 24 & TRAY=$! && sleep 1
fail() { echo "FAIL: $*"; FAILS=$((FAILS + 1)); }
shot() { [ -n "$SHOTS" ] && import -window root "$SHOTS/$1.png"; }
DB="$WORK/Tamberlock.mdb" CONF="$WORK/config/Kiv/Kiv.conf"
sql() { sqlite3 "$DB" "$1"; }
# Waits up to ten seconds for the window with the keyboard to match $1.
active() {
    for i in $(seq 100); do xdotool getactivewindow getwindowname 2>/dev/null | grep -q -- "$1" && return 0 || sleep 0.1; done
    fail "\"$1\" lacks the keyboard ($(xdotool getactivewindow getwindowname))" && return 1
}
mainwin() { xdotool search --sync --onlyvisible --name '^Tamberlock' | head -1; }
start() { "$WORK/Tamberlock" 2>>"$WORK/stderr" & APP=$!; active '^Tamberlock$'; }
quit() { xdotool windowactivate --sync "$(mainwin)" key alt+F4; wait $APP; }
settings() { printf '[Desktop]\nAwaySeconds=%s\nReminderSeconds=%s\nTray=%s\n' "$1" "$2" "$3" >"$CONF.new"
    sed -n '/^\[Windows\]/,$p' "$CONF" 2>/dev/null >>"$CONF.new"; mv "$CONF.new" "$CONF"; }
# The newest charge's stop minus its start, in seconds; "running" while it runs.
span() { sql "SELECT CASE WHEN abs(dtmStopTime - 26844.5979) < 0.0001 THEN 'running' ELSE
    CAST(round((dtmStopTime - dtmStartTime) * 86400) AS INTEGER) END FROM tblHours ORDER BY lngHourID DESC LIMIT 1"; }

cp "$1" "$WORK/" && "$2" "$DB" || exit 1
sql "INSERT INTO tblCompanys (strCompanyName) VALUES ('Acme');
     INSERT INTO tblJobs (lngCompanyID, strJobName, curHourlyWage, dtmDeadLine) VALUES (1, 'Website', 400000, 50000);
     INSERT INTO tblHours (lngJobID, dtmStartTime, dtmStopTime) VALUES (1, 45000.25, 45000.5);"
settings 3 36000 1

# One start per database: a second one brings the first forward and ends.
start
main=$(mainwin)
xdotool windowminimize --sync "$main"
timeout 20 "$WORK/Tamberlock"; rc=$?
[ $rc = 0 ] || fail "the second start ended with $rc"
active '^Tamberlock$'
[ "$(pgrep -c -f "$WORK/Tamberlock")" = 1 ] || fail "a second Tamberlock runs"

# The window as it was left: size, position, the sort order of a list.
xdotool windowsize --sync "$main" 700 640 windowmove --sync "$main" 120 90 && sleep 0.5
xdotool mousemove --window "$main" 225 85 click 1 sleep 0.5 click 1 sleep 0.5 # "Contact", twice
left=$(xdotool getwindowgeometry "$main" | tail -n +2)
quit
grep -q '^LvwCompanys\\SortColumn=2' "$CONF" && grep -q '^LvwCompanys\\SortDescending=true' "$CONF" ||
    fail "the sort order was not kept: $(grep LvwCompanys "$CONF")"
sed -i 's/^LvwCompanys\\Widths=.*/LvwCompanys\\Widths=21, 160, 90, 80, 70/' "$CONF"
start
main=$(mainwin)
back=$(xdotool getwindowgeometry "$main" | tail -n +2)
echo "$left" | grep -q "Geometry: 700x640" || fail "the window was not resized: $left"
[ "$back" = "$left" ] || fail "the window came back as $back, not as it was left: $left"
quit
grep -q '^LvwCompanys\\Widths=21, 160, 90, 80, 70' "$CONF" || fail "the column widths did not come back: $(grep Widths "$CONF")"
grep -q '^LvwCompanys\\SortColumn=2' "$CONF" || fail "the sort order did not come back"

# A start killed leaves its socket; the next start runs all the same.
start
kill -9 $APP && wait $APP 2>/dev/null
start
kill -0 $APP 2>/dev/null || fail "the start after kill -9 did not run"

# Time away, with real input: the charge started from the tray menu.
trayicon() { eval "$(xdotool search --onlyvisible --class trayer | head -1 | xargs xdotool getwindowgeometry --shell)"; echo $((X + WIDTH / 2)) $((Y + HEIGHT / 2)); }
away() { # ANSWER_KEY
    set -- "$1" $(trayicon)
    xdotool mousemove $2 $3 click 3 sleep 0.7
    [ "$1" = alt+l ] && shot traymenu
    xdotool key Up Up Up Return # from the bottom: Quit, Show, Start a charge
    sleep 2 && xdotool mousemove 600 600 # the user leaves two seconds later
    sleep 5 && xdotool mousemove 620 620 # and comes back after the limit
    active '^Welcome Back$' && { [ "$1" = alt+l ] && shot welcome; xdotool key "$1"; }
    sleep 1
}
away alt+l
s=$(span); [ "$s" != running ] && [ "$s" -ge 1 ] && [ "$s" -le 4 ] || fail "stop when I left: span $s"
away alt+n
s=$(span); [ "$s" != running ] && [ "$s" -ge 7 ] && [ "$s" -le 12 ] || fail "stop now: span $s"
away alt+k
[ "$(span)" = running ] || fail "keep the time: the charge stopped ($(span))"
quit

# The reminder of a charge left running: without a tray a box, Stop stops it.
settings 3600 4 0
"$WORK/Tamberlock" 2>>"$WORK/stderr" & APP=$!
active '^Charge Still Running$' && { shot reminder; xdotool key alt+s; }
sleep 1
[ "$(span)" != running ] || fail "the reminder's Stop left the charge running"
quit
grep -q "does not ask about time away" "$WORK/stderr" && fail "no idle time under Xvfb"
[ $FAILS = 0 ]
