#!/usr/bin/env bash
# End-to-end: the real launcher on a virtual X server, driven with xdotool as a person would.
# Usage: run.sh path/to/vondrelaskit
set -euo pipefail
app=$1
work=$(mktemp -d)
xvfb_pid=""
app_pid=""
cleanup() {
    [ -n "$app_pid" ] && kill "$app_pid" 2>/dev/null || true
    [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null || true
    wait 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT
fail() { echo "FAIL: $*"; [ -f "$work/app.log" ] && sed 's/^/app: /' "$work/app.log"; exit 1; }
pass() { echo "ok: $*"; }

# A virtual screen of our own, on the first free display number.
exec 3> "$work/display"
Xvfb -displayfd 3 -screen 0 1280x800x24 -nolisten tcp > "$work/xvfb.log" 2>&1 &
xvfb_pid=$!
for _ in $(seq 50); do [ -s "$work/display" ] && break; sleep 0.1; done
export DISPLAY=":$(head -n1 "$work/display")"
xsetroot -solid '#708090' 2>/dev/null || true

export XDG_CONFIG_HOME="$work/config" XDG_DATA_DIRS="$work/data" XDG_RUNTIME_DIR="$work/run"
# The first run also reads the user's own applications folder: keep it empty here.
export XDG_DATA_HOME="$work/data-home"
mkdir -p "$XDG_CONFIG_HOME/Vondrelaskit" "$XDG_DATA_DIRS/applications" "$XDG_RUNTIME_DIR"
chmod 700 "$XDG_RUNTIME_DIR"
unset QT_QPA_PLATFORM

# Applications whose entries leave a marker file when they run.
for name in Alpha Beta Gamma; do
    cat > "$XDG_DATA_DIRS/applications/$name.desktop" <<ENTRY
[Desktop Entry]
Type=Application
Name=$name
Exec=/bin/sh -c "echo ran > $work/marker-$name"
ENTRY
done

shot() { import -window root -crop "$2" "$work/$1.png" 2>/dev/null; }
same() { [ "$(compare -metric AE "$work/$1.png" "$work/$2.png" null: 2>&1 || true)" = "0" ]; }
# Shoots the region again until it matches (or differs from) a reference, for up to 5 s.
wait_same() { for _ in $(seq 25); do shot "$2" "$3"; same "$1" "$2" && return 0; sleep 0.2; done; return 1; }
wait_differs() { for _ in $(seq 25); do shot "$2" "$3"; same "$1" "$2" || return 0; sleep 0.2; done; return 1; }
start_app() {
    "$app" > "$work/app.log" 2>&1 &
    app_pid=$!
    for _ in $(seq 100); do [ -s "$XDG_CONFIG_HOME/Vondrelaskit/VondrelaskitDB.rdb" ] && break; sleep 0.1; done
    sleep 1
}
stop_app() {
    kill -TERM "$app_pid"
    wait "$app_pid" || fail "the launcher did not quit cleanly on SIGTERM"
    app_pid=""
}

# --- The first start asks for the language; Return answers it as OK (English is preselected).
pref="$XDG_CONFIG_HOME/Vondrelaskit/VondrelaskitPref"
start_app
dialog=""
for _ in $(seq 50); do
    dialog=$(xdotool search --name "Select Your Language" 2>/dev/null | head -n1) && [ -n "$dialog" ] && break
    sleep 0.1
done
[ -n "$dialog" ] || fail "the first start did not ask for the language"
[ -e "$pref" ] && fail "the preferences file exists before the language was chosen"
# Return answers the dialog as OK; the thank-you message then waits for its own Return, and
# the preferences are saved after it.
for _ in $(seq 50); do
    [ -s "$pref" ] && break
    box=$(xdotool search --onlyvisible --name '^Vondrelaskit$' 2>/dev/null | head -n1 || true)
    target=${box:-$dialog}
    xdotool windowfocus "$target" 2>/dev/null || true
    xdotool key Return 2>/dev/null || true
    sleep 0.3
done
[ "$(stat -c %s "$pref" 2>/dev/null)" = 14 ] || fail "the language dialog did not write the 14-byte preferences file"
[ "$(tail -c 7 "$pref")" = english ] || fail "the preferences file does not hold english"
pass "the first start asks for the language and Return stores english"
db="$XDG_CONFIG_HOME/Vondrelaskit/VondrelaskitDB.rdb"
[ "$(sqlite3 "$db" 'select count(*) from LauncherList where LauncherWinUID=0')" = 3 ] ||
    fail "the first start did not fill the apple window with the three applications"
pass "first start created the database with the applications"

region=640x200+10+40 # the stored place of the "apple" window
shot bare "$region"
xdotool keydown super alt
wait_differs bare held "$region" || fail "Super+Alt did not show the apple window"
pass "Super+Alt shows the window at its stored place"
shown=$(xdotool search --onlyvisible --class vondrelaskit 2>/dev/null | head -n1 || true)
xprop -id "$shown" _NET_WM_STATE | grep -q SKIP_TASKBAR || fail "the launcher window is not kept out of the taskbar"
xprop -id "$shown" WM_HINTS | grep -q "input focus: False" || fail "the launcher window accepts the keyboard focus"
pass "it stays out of the taskbar and never takes the keyboard focus"
xdotool keyup super alt
wait_same bare released "$region" || fail "releasing the keys did not hide the window"
pass "releasing the keys hides it"
xdotool keydown shift super alt
wait_same bare extra "$region" || fail "Super+Alt+Shift showed the window"
sleep 0.5
shot extra "$region"
xdotool keyup super alt shift
same bare extra || fail "Super+Alt+Shift showed the window"
pass "Super+Alt+Shift does not show it"

# A click on the first icon (row 1, column 1 below the title band) starts the application.
xdotool keydown super alt
wait_differs bare held "$region" || fail "Super+Alt did not show the apple window again"
xdotool mousemove 45 90 click 1; sleep 0.3
xdotool keyup super alt
for _ in $(seq 50); do [ -f "$work/marker-Alpha" ] && break; sleep 0.1; done
[ -f "$work/marker-Alpha" ] || fail "a click on the first icon did not start its application"
pass "a click on the first icon starts the application"

# The contextual menu, as a person uses it: right-click the window, choose "Hide Title&Menu".
xdotool keydown super alt
wait_differs bare held "$region" || fail "Super+Alt did not show the apple window again"
xdotool mousemove 200 90 click 3
menu=0
for _ in $(seq 25); do
    menu=$( (xdotool search --onlyvisible --class vondrelaskit 2>/dev/null || true) | wc -l)
    [ "$menu" -ge 2 ] && break
    sleep 0.2
done
[ "$menu" -ge 2 ] || fail "a right-click did not open the contextual menu"
# New Launcher Window, Add New Item, Launch, Reveal in Finder, then the title toggle.
xdotool key Down Down Down Down Down Return
flag=""
for _ in $(seq 25); do
    flag=$(sqlite3 "$db" 'select ViewTitleMenu from LauncherWinList where LauncherWinUID=0')
    [ "$flag" = 0 ] && break
    sleep 0.2
done
xdotool keyup super alt
[ "$flag" = 0 ] || fail "choosing Hide Title&Menu did not store the flag"
pass "the contextual menu's Hide Title&Menu stores the flag"

# One running copy per user: a second start leaves at once, touching nothing.
timeout 10 "$app" > "$work/second.log" 2>&1 || fail "a second start while the launcher runs did not exit with 0"
kill -0 "$app_pid" 2>/dev/null || fail "a second start ended the running launcher"
pass "a second copy exits at once while the launcher runs"

stop_app
before=$(sha256sum "$db" | cut -d' ' -f1)
start_app
stop_app
[ "$(sha256sum "$db" | cut -d' ' -f1)" = "$before" ] || fail "a second start changed the database file"
pass "a second start changes nothing in the database"
echo "end-to-end: all passed"
