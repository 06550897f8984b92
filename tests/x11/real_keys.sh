#!/bin/sh
# Drives the real program with real keys under a real window manager: what
# the offscreen platform cannot show (which control has the first focus,
# which window takes the keyboard, what closing the main window ends).
# Usage: real_keys.sh PROGRAM NEWDB DBQUERY
set -u
for tool in xvfb-run openbox xdotool; do
    command -v "$tool" >/dev/null 2>&1 || { echo "SKIP: $tool is not installed"; exit 77; }
done
if [ -z "${REAL_KEYS_IN_X:-}" ]; then
    REAL_KEYS_IN_X=1 exec xvfb-run -a -s "-screen 0 1280x1024x24 -nolisten tcp" sh "$0" "$@"
fi

PROGRAM=$1 NEWDB=$2 DBQUERY=$3
WORK=$(mktemp -d)
APP_PID= WM_PID=
cleanup() {
    [ -n "$APP_PID" ] && kill "$APP_PID" 2>/dev/null
    [ -n "$WM_PID" ] && kill "$WM_PID" 2>/dev/null
    rm -rf "$WORK"
}
trap cleanup EXIT
export QT_QPA_PLATFORM=xcb XDG_CONFIG_HOME="$WORK/config" XDG_RUNTIME_DIR="$WORK/run"
mkdir -p "$WORK/config" "$WORK/run" && chmod 700 "$WORK/run"
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

openbox >"$WORK/openbox.log" 2>&1 &
WM_PID=$!
sleep 1

# Polls up to five seconds for a visible window whose title matches.
wait_window() {
    i=0
    while [ $i -lt 50 ]; do
        xdotool search --onlyvisible --name "$1" >/dev/null 2>&1 && return 0
        sleep 0.1; i=$((i + 1))
    done
    fail "no window \"$1\""; return 1
}
# Polls up to five seconds until the window that has the keyboard matches.
wait_active() {
    i=0
    while [ $i -lt 50 ]; do
        xdotool getactivewindow getwindowname 2>/dev/null | grep -q -- "$1" && return 0
        sleep 0.1; i=$((i + 1))
    done
    fail "\"$1\" does not have the keyboard (it is \"$(xdotool getactivewindow getwindowname 2>/dev/null)\")"
    return 1
}
# After a save the main window reloads; a company without projects offers
# to add one: answered no.
decline_offer() {
    sleep 0.5
    if xdotool getactivewindow getwindowname 2>/dev/null | grep -q "^Add New Project?$"; then
        xdotool key Escape
        sleep 0.3
    fi
}
sql() { "$DBQUERY" "$WORK/app/Tamberlock.mdb" "$1"; }
check() { [ "$2" = "$3" ] || fail "$1: expected \"$3\", got \"$2\""; }
start() {
    rm -rf "$WORK/app" && mkdir "$WORK/app" && cp "$PROGRAM" "$WORK/app/Tamberlock"
    "$NEWDB" "$WORK/app/Tamberlock.mdb" >/dev/null || { fail "no database"; exit 1; }
    "$WORK/app/Tamberlock" >"$WORK/app.log" 2>&1 &
    APP_PID=$!
}
stop() { kill "$APP_PID" 2>/dev/null; wait "$APP_PID" 2>/dev/null; APP_PID=; }

# 1. The first company: Enter answers the offer, the editor takes what is
#    typed at once, Enter in a box presses Ok.
start
wait_window "Add New Company?" && wait_active "Add New Company?"
xdotool key Return
wait_active "Add New Company$" && xdotool type --delay 20 "Key Board" && xdotool key Return
wait_active "Record Added Successfully!" && xdotool key Return
decline_offer
check "first company" "$(sql 'SELECT strCompanyName FROM tblCompanys')" "Key Board"

# 2. Add Company from the menu: the name box has the focus, not Ok.
wait_active "^Tamberlock" && xdotool key alt+c && sleep 0.3 && xdotool key a
wait_active "Add New Company$" && xdotool type --delay 20 "Second" && xdotool key Return
wait_active "Record Added Successfully!" && xdotool key Return
decline_offer
check "company from the menu" "$(sql 'SELECT strCompanyName FROM tblCompanys WHERE lngCompanyID = 2')" "Second"

# 3. "+" of the payment editor: the types dialog takes the keyboard, so Esc
#    closes it and the typed amount stays in the editor.
wait_active "^Tamberlock" && xdotool key alt+c && sleep 0.3 && xdotool key y
if wait_active "Add New Payment"; then
    xdotool key Tab && xdotool type --delay 20 "250"
    xdotool key Tab Tab Tab Tab Tab space
    wait_active "Types Of Payment" && xdotool key Escape
    wait_active "Add New Payment" && xdotool key Return
    wait_active "Payment Added Successfully!" && xdotool key Return
    decline_offer
fi
check "payment amount" "$(sql 'SELECT curAmount FROM tblPayments')" "2500000"

# 4. The payments (F4) and help (F1) windows are owned by the main window.
if command -v xprop >/dev/null 2>&1; then
    main=$(xdotool search --onlyvisible --name "^Tamberlock" | head -n 1)
    owner=$(printf '0x%x' "$main")
    for spec in "F4 ^Payments$" "F1 ^Help on Data Structure$"; do
        key=${spec%% *} title=${spec#* }
        xdotool windowactivate --sync "$main" && xdotool key "$key"
        if wait_window "$title"; then
            w=$(xdotool search --onlyvisible --name "$title" | head -n 1)
            xprop -id "$w" WM_TRANSIENT_FOR | grep -q "$owner" || fail "$title is not owned by the main window"
        fi
    done
fi
stop

# 5. Closing the main window while the first offer waits ends the program.
start
if wait_window "Add New Company?"; then
    xdotool windowactivate --sync "$(xdotool search --onlyvisible --name '^Tamberlock$' | head -n 1)"
    xdotool key alt+F4
    i=0
    while kill -0 "$APP_PID" 2>/dev/null && [ $i -lt 50 ]; do sleep 0.1; i=$((i + 1)); done
    if kill -0 "$APP_PID" 2>/dev/null; then
        fail "the program still runs after its main window was closed"
        stop
    else
        APP_PID=
    fi
fi

[ $failures -eq 0 ] && echo "all real-key checks passed"
exit $((failures > 0))
