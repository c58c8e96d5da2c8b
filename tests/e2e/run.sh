#!/usr/bin/env bash
# End-to-end: the real launcher on a virtual X server, driven with xdotool as a person would.
# Usage: run.sh path/to/vondrelaskit [bare|openbox|xcompmgr]
#   bare      no window manager
#   openbox   under the openbox window manager
#   xcompmgr  under openbox, with the xcompmgr compositing manager started after the launcher
set -euo pipefail
app=$1
mode=${2:-bare}
work=$(mktemp -d)
xvfb_pid=""
wm_pid=""
cm_pid=""
app_pid=""
cleanup() {
    [ -n "$wm_pid" ] && kill -CONT "$wm_pid" 2>/dev/null
    for pid in "$app_pid" "$cm_pid" "$wm_pid" "$xvfb_pid"; do
        [ -n "$pid" ] && kill "$pid" 2>/dev/null || true
    done
    wait 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT
fail() {
    echo "FAIL ($mode): $*"
    echo "windows of ours on screen: $(ours 2>/dev/null | tr '\n' ' ')"
    [ -n "${db:-}" ] && [ -f "$db" ] && echo "window rows: $(sql 'select * from LauncherWinList' | tr '\n' ' ')"
    [ -f "$work/app.log" ] && sed 's/^/app: /' "$work/app.log"
    exit 1
}
pass() { echo "ok ($mode): $*"; }
# Runs a test command every 0.1 s until it succeeds, for up to 20 s (the machine may be busy).
wait_for() { for _ in $(seq 200); do "$@" && return 0; sleep 0.1; done; return 1; }

# xdotool search fails outright when a window goes while it looks (a pop-up hiding): ask again.
# Prints nothing when there is no such window.
# (Its first line is taken with sed, which reads all: head would leave early, and pipefail
# would take the writer's broken pipe for a failure.)
xsearch() {
    local out i
    for i in 1 2 3; do
        if out=$(xdotool search "$@" 2>/dev/null); then
            printf '%s\n' "$out"
            return 0
        fi
    done
    return 0
}

# A virtual screen of our own, on the first free display number.
exec 3> "$work/display"
# -noreset: between a quit and the next start no client is connected, and a server that
# resets then refuses the next start's connection for a moment.
Xvfb -displayfd 3 -screen 0 1280x800x24 -nolisten tcp -noreset > "$work/xvfb.log" 2>&1 &
xvfb_pid=$!
for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.1; done
export DISPLAY=":$(head -n1 "$work/display")"
xsetroot -solid '#708090' 2>/dev/null || true

if [ "$mode" != bare ]; then
    # openbox reads its own themes through XDG_DATA_DIRS; the launcher gets its fixture below.
    XDG_DATA_DIRS=/usr/share openbox > "$work/openbox.log" 2>&1 &
    wm_pid=$!
    wait_for sh -c 'xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q "window id"' ||
        fail "openbox did not start"
fi

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

db="$XDG_CONFIG_HOME/Vondrelaskit/VondrelaskitDB.rdb"
pref="$XDG_CONFIG_HOME/Vondrelaskit/VondrelaskitPref"
# A read waits out a write the launcher is making rather than failing at once.
sql() { sqlite3 -cmd '.timeout 10000' "$db" "$1" 2>/dev/null; }
sql_is() { [ "$(sql "$1")" = "$2" ]; }

# The visible windows of ours, one "x,y" line each (launcher windows, pop-ups, menus,
# dialogs; the removal overlay too).
ours() {
    local id
    for id in $(xsearch --onlyvisible --class vondrelaskit); do
        xdotool getwindowgeometry --shell "$id" 2>/dev/null | awk -F= '
            $1 == "X" { x = $2 } $1 == "Y" { y = $2 } END { if (x != "") print x "," y }'
    done
}
# Our launcher window is on screen at (x, y) and nothing else of ours is: no pop-up, no
# removal overlay, no menu.
launcher_alone_at() { [ "$(ours)" = "$1,$2" ]; }
nothing_shown() { [ -z "$(ours)" ]; }
# The contextual menu is a second window of ours beside the launcher window.
menu_shown() { [ "$(ours | wc -l)" -ge 2 ]; }
# The window manager has caught up with the windows of ours that went (the launch pop-up, a
# dialog): every window it still lists is there and shown, or minimised. Until then it may still
# move the keyboard focus, and a menu closes, as menus do, when its application loses the focus.
wm_caught_up() {
    [ "$mode" = bare ] && return 0
    local id
    for id in $(xprop -root _NET_CLIENT_LIST 2>/dev/null | grep -o '0x[0-9a-f]*'); do
        xwininfo -id "$id" 2>/dev/null | grep -q "Map State: IsViewable" && continue
        xprop -id "$id" WM_STATE 2>/dev/null | grep -q Iconic || return 1
    done
}
# A right-click on the screen, once the window manager has caught up.
right_click() {
    wait_for wm_caught_up || fail "the window manager did not let go of a window that went"
    xdotool mousemove "$1" "$2" click 3
}
launcher_id() { xsearch --onlyvisible --class vondrelaskit | sed -n 1p; }
# Whether the launcher window has an X shape: "shaped" or "unshaped" (nothing when unknown).
shape_of() {
    xwininfo -id "$(launcher_id)" -shape 2>/dev/null |
        awk '/Window shape extents/ { s = "shaped" } /No window shape defined/ { s = "unshaped" } END { print s }'
}
shaped() { [ "$(shape_of)" = shaped ]; }
# The shown launcher window is out of the taskbar and the pager (a window manager drops these
# states when a window is withdrawn, so they are set before every map).
kept_out_of_taskbar() {
    local states
    states=$(xprop -id "$(launcher_id)" _NET_WM_STATE 2>/dev/null) || return 1
    [[ $states == *SKIP_TASKBAR* && $states == *SKIP_PAGER* ]]
}
# The colour on the screen at a point, as ImageMagick names it.
colour_at() { import -window root -crop "1x1+$1+$2" txt:- 2>/dev/null | tail -n1 | grep -o '#[0-9A-F]\{6\}'; }
# The desktop's own colour, where nothing of ours is (the screen's far corner).
desktop_shows_at() { [ "$(colour_at "$1" "$2")" = "$(colour_at 1279 799)" ]; }
unshaped() { [ "$(shape_of)" = unshaped ]; }

start_app() {
    "$app" > "$work/app.log" 2>&1 &
    app_pid=$!
}
# The launcher has made its launcher windows (mapped or not: utility windows), after its
# activation-key watcher: keys pressed from now on reach it. Their states are no sign: a window
# manager that handles the last run's windows late erases the states of the same window
# numbers, which the server gives out again.
app_up() {
    local id
    for id in $(xsearch --class vondrelaskit); do
        xprop -id "$id" _NET_WM_WINDOW_TYPE 2>/dev/null | grep -q _NET_WM_WINDOW_TYPE_UTILITY && return 0
    done
    return 1
}
# The window manager has done with the windows of a launcher that ended: none is on its list.
# The server gives the next start the same window numbers, and a window manager still busy
# with the old windows would take the new ones for them (and place them as it likes).
wm_let_go_of() {
    [ "$mode" = bare ] && return 0
    local list id
    list=$(xprop -root _NET_CLIENT_LIST 2>/dev/null) || return 1
    for id in "$@"; do
        grep -qw "$(printf '0x%x' "$id")" <<< "$list" && return 1
    done
    return 0
}
# Ends the launcher with SIGTERM; waits for it, and for the window manager to let go of its windows.
stop_app() {
    local ids
    ids=$(xsearch --class vondrelaskit)
    kill -TERM "$app_pid"
    wait "$app_pid" || fail "the launcher did not quit cleanly on SIGTERM"
    app_pid=""
    wait_for wm_let_go_of $ids || fail "the window manager kept the windows of the launcher that quit"
}
alive() { kill -0 "$app_pid" 2>/dev/null || fail "the launcher ended: $1"; }
show() { xdotool keydown super alt; }
release() { xdotool keyup super alt; }

# --- The first start asks for the language; Return answers it as OK (English is preselected).
start_app
dialog=""
for _ in $(seq 200); do
    dialog=$(xsearch --onlyvisible --name "Select Your Language" | sed -n 1p)
    [ -n "$dialog" ] && break
    sleep 0.1
done
[ -n "$dialog" ] || fail "the first start did not ask for the language"
[ -e "$pref" ] && fail "the preferences file exists before the language was chosen"
# Return answers the dialog as OK; the thank-you message then waits for its own Return, and
# the preferences are saved after it.
for _ in $(seq 50); do
    [ -s "$pref" ] && break
    box=$(xsearch --onlyvisible --name '^Vondrelaskit$' | sed -n 1p)
    target=${box:-$dialog}
    xdotool windowactivate "$target" 2>/dev/null || xdotool windowfocus "$target" 2>/dev/null || true
    xdotool key Return 2>/dev/null || true
    sleep 0.3
done
[ "$(stat -c %s "$pref" 2>/dev/null)" = 14 ] || fail "the language dialog did not write the 14-byte preferences file"
[ "$(tail -c 7 "$pref")" = english ] || fail "the preferences file does not hold english"
pass "the first start asks for the language and Return stores english"
sql_is 'select count(*) from LauncherList where LauncherWinUID=0' 3 ||
    fail "the first start did not fill the apple window with the three applications"
pass "first start created the database with the applications"
wait_for nothing_shown || fail "a window of ours stays on screen without the activation key"

# --- The activation key. The "apple" window is stored at (10, 40).
import -window root -crop 300x1+10+50 "$work/bare-row.png"
show
wait_for launcher_alone_at 10 40 || fail "Super+Alt did not show the apple window at its stored place"
pass "Super+Alt shows the window at its stored place"
shown=$(launcher_id)
wait_for kept_out_of_taskbar || fail "the launcher window is not kept out of the taskbar"
xprop -id "$shown" WM_HINTS | grep -q "input focus: False" || fail "the launcher window accepts the keyboard focus"
pass "it stays out of the taskbar and never takes the keyboard focus"
wait_for shaped || fail "without a compositing manager the window has no shape"
# Where the title band's icons are: the name's pill ends 10 pixels before the settings icon,
# with the desktop showing through between them (row 10 of the band). The window may be
# mapped before its first paint, so the row is shot until the pill is there.
find_band_icons() {
    import -window root -crop 300x1+10+50 "$work/band-row.png" 2>/dev/null || return 1
    px=$(paste <(convert "$work/bare-row.png" txt:- | tail -n +2 | awk '{print $3}') \
        <(convert "$work/band-row.png" txt:- | tail -n +2 | awk '{print $3}') |
        awk '!found { if ($1 == $2) run++; else run = 0; if (run == 5) { print NR - 5 + 10; found = 1 } }')
    [ -n "$px" ] && [ "$px" -gt 30 ]
}
px=""
wait_for find_band_icons || fail "the title band's settings icon was not found"
release
wait_for nothing_shown || fail "releasing the keys did not hide the window"
pass "releasing the keys hides it"
xdotool keydown shift super alt
sleep 0.5
[ -z "$(ours)" ] || fail "Super+Alt+Shift showed the window"
xdotool keyup super alt shift
pass "Super+Alt+Shift does not show it"

# --- A click on the first icon (row 1, column 1 below the title band) starts the application.
show
wait_for launcher_alone_at 10 40 || fail "Super+Alt did not show the apple window again"
wait_for kept_out_of_taskbar || fail "shown a second time, the launcher window is in the taskbar or pager"
# A window shown again is painted again: the server kept none of its pixels while hidden.
wait_for find_band_icons || fail "the window shown again is not painted"
xdotool mousemove 45 90 click 1
wait_for test -f "$work/marker-Alpha" || fail "a click on the first icon did not start its application"
pass "a click on the first icon starts the application"
# The pop-up over the icon goes after half a second; then only the launcher window is left.
wait_for launcher_alone_at 10 40 || fail "the launch pop-up did not go"
# While the pop-up shows, a click under it reaches the launcher window: a right-click there
# opens the contextual menu (a click on the desktop closes it again).
# A menu pops up with its corner at the pointer. (grep reads all: with -q it could leave
# before ours has written everything, which pipefail takes for a failure.)
menu_at() { ours | grep -x "$1,$2" > /dev/null; }
popup_shown() { [ "$(ours | wc -l)" -ge 2 ]; }
xdotool click 1
wait_for popup_shown || fail "a second click on the first icon showed no pop-up"
right_click 45 90
wait_for menu_at 45 90 || fail "a right-click under the launch pop-up opened no menu"
xdotool mousemove 1200 700 click 1
wait_for launcher_alone_at 10 40 || fail "the menu opened under the pop-up did not go"
pass "a click under the launch pop-up reaches the launcher window"

# --- A click on the settings icon (a tooth of the gear, left of its centre) opens the editor.
xdotool mousemove $((10 + px + 5)) $((40 + 11)) click 1
editor_shown() { [ -n "$(xsearch --onlyvisible --name '^Setting$')" ]; }
wait_for editor_shown ||
    fail "a click on the settings icon did not open the editor"
release
editor=$(xsearch --onlyvisible --name '^Setting$' | sed -n 1p)
xdotool windowactivate "$editor" 2>/dev/null || xdotool windowfocus "$editor" 2>/dev/null || true
xdotool key --window "$editor" Escape 2>/dev/null || true
wait_for nothing_shown || fail "Escape did not close the editor"
pass "a click on the settings icon opens the editor"

# --- Drag the window by its body to (110, 140): the row follows.
show
wait_for launcher_alone_at 10 40 || fail "Super+Alt did not show the apple window again"
wait_for kept_out_of_taskbar || fail "shown a third time, the launcher window is in the taskbar or pager"
pass "shown again and again, the window stays out of the taskbar and pager"
if [ "$mode" != bare ]; then
    # A window manager that handles a withdrawal late erases the states set for the next map:
    # once mapped, the window asks for them again. openbox is held while the window is hidden
    # and shown, and the states are erased as it would erase them.
    has_states() { xprop -id "$shown" _NET_WM_STATE 2>/dev/null | grep -q SKIP_TASKBAR; }
    release
    wait_for nothing_shown || fail "releasing the keys did not hide the window"
    kill -STOP "$wm_pid"
    xprop -id "$shown" -remove _NET_WM_STATE
    show
    wait_for has_states || fail "the launcher did not set the states before its map"
    xprop -id "$shown" -remove _NET_WM_STATE
    kill -CONT "$wm_pid"
    wait_for launcher_alone_at 10 40 || fail "Super+Alt did not show the window after the window manager's delay"
    wait_for kept_out_of_taskbar ||
        fail "after the window manager erased its states the window is in the taskbar or pager"
    pass "states a late window manager erased are asked for again"
fi
xdotool mousemove 45 90 mousedown 1
for step in 20 40 60 80 100; do xdotool mousemove $((45 + step)) $((90 + step)); sleep 0.05; done
xdotool mouseup 1
wait_for sql_is 'select Left, Top from LauncherWinList where LauncherWinUID=0' '110|140' ||
    fail "dragging the window did not store its new place"
wait_for launcher_alone_at 110 140 || fail "the dragged window is not at its new place"
pass "dragging the window moves it and stores its place"

if [ "$mode" = xcompmgr ]; then
    # A compositing manager comes after the launcher, as a session's may.
    xcompmgr > "$work/xcompmgr.log" 2>&1 &
    cm_pid=$!
    wait_for sh -c 'xwininfo -root -children | grep -q "\"xcompmgr\""' || fail "xcompmgr did not start"
fi

# --- "+" widens the window by one column; the window keeps its place, on screen and stored.
width=$(sql 'select Width from LauncherWinList where LauncherWinUID=0')
xdotool mousemove $((110 + px + 38)) $((140 + 8)) click 1
# Rows of width / 70 items at pitch 70 become one item longer.
wait_for sql_is 'select Width from LauncherWinList where LauncherWinUID=0' $(((width / 70 + 1) * 70)) ||
    fail "a click on the plus icon did not widen the window by one column"
wait_for launcher_alone_at 110 140 || fail "after the plus icon the window is not at its place"
if [ "$mode" = xcompmgr ]; then
    wait_for unshaped || fail "with a compositing manager the window keeps the shape set before it came"
else
    wait_for shaped || fail "without a compositing manager the widened window has no shape"
fi
pass "the plus icon widens the window in place"
# Without a compositor the desktop shows where the window draws nothing: between the name's
# pill and the gear, and in the gear's transparent corner.
if [ "$mode" = xcompmgr ]; then
    # The compositing manager stops while the launcher runs: the window is shaped at once.
    kill "$cm_pid"
    wait "$cm_pid" 2>/dev/null || true
    cm_pid=""
    wait_for shaped || fail "when the compositing manager stopped the window was not shaped again"
fi
if [ "$mode" != bare ]; then
    import -window root "$work/band.png" 2>/dev/null || true
    wait_for desktop_shows_at $((110 + px - 5)) $((140 + 10)) ||
        fail "the desktop does not show between the title and the gear ($(colour_at $((110 + px - 5)) $((140 + 10))), desktop $(colour_at 1279 799))"
    wait_for desktop_shows_at $((110 + px + 1)) $((140 + 1)) ||
        fail "the gear's transparent corner is not see-through ($(colour_at $((110 + px + 1)) $((140 + 1))))"
    pass "transparent parts show the desktop, not black"
fi

# --- Remove Item from the contextual menu, on the second icon (Beta).
right_click $((110 + 105)) $((140 + 50))
wait_for menu_shown ||
    fail "a right-click did not open the contextual menu"
# New Launcher Window, Add New Item, Launch, Reveal in Finder, the three view toggles,
# Increase and Decrease Window Width, then Remove Item.
xdotool key Down Down Down Down Down Down Down Down Down Down Return
wait_for sql_is 'select count(*) from LauncherList where LauncherWinUID=0' 2 ||
    fail "Remove Item did not delete the item's row"
wait_for launcher_alone_at 110 140 || fail "after Remove Item the window is not shown alone at its place"
alive "after Remove Item"
[ "$(sql "select AppName from LauncherList where LauncherWinUID=0 order by AppSEQ" | tr '\n' ' ')" = "Alpha Gamma " ] ||
    fail "Remove Item did not leave the other items"
sql_is 'select Left, Top from LauncherWinList where LauncherWinUID=0' '110|140' ||
    fail "the window's stored place changed after the plus icon"
pass "Remove Item removes the row and the launcher lives on"

# --- The contextual menu's Hide Title&Menu.
right_click $((110 + 35)) $((140 + 50))
wait_for menu_shown ||
    fail "a right-click did not open the contextual menu"
# New Launcher Window, Add New Item, Launch, Reveal in Finder, then the title toggle.
xdotool key Down Down Down Down Down Return
wait_for sql_is 'select ViewTitleMenu from LauncherWinList where LauncherWinUID=0' 0 ||
    fail "choosing Hide Title&Menu did not store the flag"
release
pass "the contextual menu's Hide Title&Menu stores the flag"
alive "after the menu"

# --- One running copy per user: a second start leaves at once, touching nothing.
timeout 10 "$app" > "$work/second.log" 2>&1 || fail "a second start while the launcher runs did not exit with 0"
alive "a second start ended the running launcher"
pass "a second copy exits at once while the launcher runs"

stop_app
before=$(sha256sum "$db" | cut -d' ' -f1)
start_app
wait_for app_up || fail "the launcher did not start"
sleep 1
alive "at a start"
stop_app
[ "$(sha256sum "$db" | cut -d' ' -f1)" = "$before" ] || fail "a start and quit changed the database file"
pass "a start and quit change nothing in the database"

# --- After quit and start the window is where it was dragged.
start_app
wait_for app_up || fail "the launcher did not start"
show
wait_for launcher_alone_at 110 140 || fail "after a restart the window is not at the dragged place"
release
stop_app
pass "after a restart the window opens at the dragged place"
# --- Dialogs asked for again, the editor's Cancel, and signals whatever is open.
# The process has ended (a zombie not yet waited for counts as ended).
app_ended() { ! [ -e "/proc/$app_pid" ] || [ "$(awk '{print $3}' "/proc/$app_pid/stat" 2>/dev/null)" = Z ]; }
# Ends the launcher with a signal; it must leave by itself, with status 0.
signal_app() {
    local ids
    ids=$(xsearch --class vondrelaskit)
    kill "-$1" "$app_pid"
    wait_for app_ended || fail "the launcher did not end on SIG$1 $2"
    wait "$app_pid" || fail "the launcher did not end cleanly on SIG$1 $2"
    app_pid=""
    wait_for wm_let_go_of $ids || fail "the window manager kept the windows of the launcher that ended on SIG$1"
}
# The window (title band hidden above) is at (110, 140); its contextual menu's entries are
# counted from the top, separators skipped.
menu_entry() {
    right_click $((110 + 35)) $((140 + 25))
    wait_for menu_shown || fail "a right-click did not open the contextual menu"
    xdotool key $(printf 'Down %.0s' $(seq "$1")) Return
}
viewable() { xwininfo -id "$1" 2>/dev/null | grep -q "Map State: IsViewable"; }
# A window's place on the screen, "x,y".
place_of() { xwininfo -id "$1" 2>/dev/null | awk '/Absolute upper-left X/ { x = $4 } /Absolute upper-left Y/ { y = $4 } END { print x "," y }'; }
placed_at() { viewable "$1" && [ "$(place_of "$1")" = "$2" ]; }
not_viewable() { ! viewable "$1"; }
# The window manager has moved the focus away from a minimised window: it no longer calls it
# the active window (see wm_caught_up).
wm_unfocused() { [ "$(xprop -root _NET_ACTIVE_WINDOW 2>/dev/null | awk '{ print $NF }')" != "$(printf '0x%x' "$1")" ]; }
gone() { ! xwininfo -id "$1" > /dev/null 2>&1 || not_viewable "$1"; }
start_app
wait_for app_up || fail "the launcher did not start"
show
wait_for launcher_alone_at 110 140 || fail "Super+Alt did not show the window"
# Hiding and showing the names changes the window's height while it shows, first thing after
# a start: the window stays where it is.
height_of() { xwininfo -id "$1" 2>/dev/null | awk '/Height:/ { print $2 }'; }
resized_in_place() { [ "$(height_of "$1")" != "$2" ] && launcher_alone_at 110 140; }
for flag in 0 1; do
    win=$(launcher_id)
    height=$(height_of "$win")
    menu_entry 6 # Hide Item Name, then Show Item Name
    wait_for sql_is 'select ViewName from LauncherWinList where LauncherWinUID=0' "$flag" ||
        fail "the names' menu entry did not store $flag"
    wait_for resized_in_place "$win" "$height" ||
        fail "with the names' flag $flag the window is not at its place ($(ours | tr '\n' ' '))"
done
sql_is 'select Left, Top from LauncherWinList where LauncherWinUID=0' '110|140' ||
    fail "hiding and showing the names changed the stored place"
pass "hiding and showing the names keeps the window in place"
menu_entry 11 # Edit Launcher Window
wait_for editor_shown || fail "Edit Launcher Window did not open the editor"
editor=$(xsearch --onlyvisible --name '^Setting$' | sed -n 1p)
if [ "$mode" != bare ]; then
    # Minimised before the launcher has done showing it, the editor is brought back by its
    # own activation: it is minimised once it has the keyboard focus.
    has_focus() { [ "$(xdotool getwindowfocus 2>/dev/null)" = "$1" ]; }
    wait_for has_focus "$editor" || fail "the editor did not take the keyboard focus"
    at=$(place_of "$editor")
    xdotool windowminimize "$editor"
    wait_for not_viewable "$editor" || fail "the editor could not be minimised"
    wait_for wm_unfocused "$editor" || fail "the window manager kept the minimised editor active"
    menu_entry 11
    # The window manager may play the way back: wait for the editor to stand where it was.
    wait_for placed_at "$editor" "$at" || fail "the minimised editor did not come back when asked for again"
    [ "$(xsearch --name '^Setting$' | wc -l)" = 1 ] || fail "asking again made a second editor"
    pass "a minimised editor comes back when asked for again"
fi
release
# Delete the first row (Alpha) in the editor's list, then Cancel: the window keeps Alpha.
IFS=, read -r X Y <<< "$(place_of "$editor")"
xdotool mousemove $((X + 150)) $((Y + 120 + 17)) click 1
xdotool key BackSpace
xdotool mousemove $((X + 152 + 40)) $((Y + 418 + 10)) click 1 # Cancel
wait_for gone "$editor" || fail "Cancel did not close the editor"
sql_is 'select count(*) from LauncherList where LauncherWinUID=0' 2 || fail "Cancel in the editor changed the stored items"
rm -f "$work"/marker-*
show
wait_for launcher_alone_at 110 140 || fail "Super+Alt did not show the window after the editor"
xdotool mousemove $((110 + 35)) $((140 + 25)) click 1
wait_for test -f "$work/marker-Alpha" || fail "after Cancel the first icon did not start its own program"
[ -e "$work/marker-Gamma" ] && fail "after Cancel the first icon started the second item"
wait_for launcher_alone_at 110 140 || fail "the launch pop-up did not go"
pass "Cancel in the editor leaves the window as stored"
# SIGTERM with the editor open.
menu_entry 11
wait_for editor_shown || fail "Edit Launcher Window did not open the editor"
release
# What is stored, row by row.
stored() { sql 'select * from LauncherWinList; select LauncherWinUID, AppUID, AppSEQ, AppName, AppPath from LauncherList order by LauncherWinUID, AppSEQ'; }
kept=$(stored)
signal_app TERM "with the editor open"
[ "$(stored)" = "$kept" ] || fail "SIGTERM with the editor open changed what is stored"
pass "SIGTERM ends the launcher with the editor open"
# A database file another program replaced while the launcher runs: the next change is
# refused with a message (whoever runs this may write any file, so it is not made read-only).
start_app
wait_for app_up || fail "the launcher did not start"
show
wait_for launcher_alone_at 110 140 || fail "Super+Alt did not show the window"
cp "$db" "$work/replacement.rdb"
mv "$work/replacement.rdb" "$db"
before=$(sha256sum "$db" | cut -d' ' -f1)
menu_entry 6 # Show Item Name
# A message box: a dialog window of ours named as the application.
message_shown() {
    local id
    for id in $(xsearch --onlyvisible --name '^Vondrelaskit$'); do
        xprop -id "$id" _NET_WM_WINDOW_TYPE 2>/dev/null | grep -q DIALOG && return 0
    done
    return 1
}
wait_for message_shown || fail "a change to a replaced database raised no message"
release
signal_app TERM "with a database message open"
[ "$(sha256sum "$db" | cut -d' ' -f1)" = "$before" ] || fail "the replaced database was written"
[ "$(sql 'pragma integrity_check')" = ok ] || fail "the database is damaged after SIGTERM"
pass "SIGTERM ends the launcher with a database message open, the database intact"
echo "end-to-end ($mode): all passed"
