#!/usr/bin/env bash
# Recovery after a killed process, as a user meets it: Plandor is started on a layout, edited
# with real key presses, killed with SIGKILL once its recovery copy is written, and started
# again. Yes restores the edit (saving it gives exactly the file that saving the edit gives
# without a crash); No deletes the copy and leaves the layout as it was.
# Usage: recovery_process.sh PLANDOR TEST_DATA_FOLDER [SCREENSHOT_FOLDER]
set -u
if [ -z "${RECOVERY_TEST_DISPLAY:-}" ]; then
    RECOVERY_TEST_DISPLAY=1 exec xvfb-run -a -s "-screen 0 1600x1000x24" bash "$0" "$@"
fi
plandor=$1
data=$2
shots=${3:-}
work=$(mktemp -d)
pid=
cleanup() {
    [ -n "$pid" ] && kill -9 "$pid" 2>/dev/null
    rm -rf "$work"
}
trap cleanup EXIT
failures=0
fail() {
    echo "FAIL $*"
    failures=$((failures + 1))
}

# Layouts live beside the executable, so the program runs from a folder of the test's own.
mkdir -p "$work/bin" "$work/home" "$work/state"
cp "$plandor" "$work/bin/plandor"
original=$data/corpus/selected_pieces.plo
layout=$work/bin/Yard.plo
recovery=$work/state/plandor/recovery
export HOME=$work/home XDG_STATE_HOME=$work/state PLANDOR_RECOVERY_QUIET_MS=300

# Waits up to 15 s for a command to succeed.
waitUntil() {
    for _ in $(seq 150); do
        "$@" >/dev/null 2>&1 && return 0
        sleep 0.1
    done
    return 1
}
copies() { ls "$recovery"/*.rec >/dev/null 2>&1; }
noCopies() { ! copies; }
windowNamed() { xdotool search --name "^$1\$" | head -1; }

# The splash: the narrower of the windows carrying the bare title (the main window carries it
# too until a layout is open).
splash() {
    local id width
    for id in $(xdotool search --name "^Plandor v1.3 by Korvane Models\$"); do
        width=$(xdotool getwindowgeometry --shell "$id" | sed -n 's/^WIDTH=//p')
        if [ "${width:-0}" -lt 1200 ]; then
            echo "$id"
            return 0
        fi
    done
    return 1
}
noSplash() { ! splash >/dev/null; }
mainWithLayout() { xdotool search --name "^Plandor v1.3 by Korvane Models - " | head -1 | grep .; }
# Starts Plandor (on the files given) and closes the splash with Escape.
start() {
    local try
    for try in 1 2; do
        "$work/bin/plandor" "$@" >"$work/plandor.log" 2>&1 &
        pid=$!
        waitUntil splash && break
        # A start that shows nothing in 15 s (a starved machine) is tried once more; what the
        # program printed is shown either way.
        echo "no splash after 15 s (try $try); the program printed:"
        cat "$work/plandor.log"
        kill -9 "$pid" 2>/dev/null
        wait "$pid" 2>/dev/null
        pid=
        [ "$try" = 2 ] && { fail "no splash"; return 1; }
    done
    sleep 0.3
    xdotool windowfocus --sync "$(splash)"
    xdotool key Escape
    waitUntil noSplash || fail "the splash stayed"
}
# Selects everything and deletes it, with the keyboard, in the main window.
editWithKeys() {
    local main
    waitUntil mainWithLayout || { fail "no main window"; return 1; }
    main=$(mainWithLayout)
    xdotool windowfocus --sync "$main"
    sleep 0.3
    xdotool key ctrl+a
    sleep 0.2
    xdotool key Delete
}
# Kills the process with SIGKILL, as a crash or power cut ends it.
crash() {
    kill -9 "$pid"
    wait "$pid" 2>/dev/null
    pid=
}
# Answers the restore question with the given key.
answerRestore() {
    local dialog
    waitUntil windowNamed "Restore Unsaved Changes" || { fail "no restore question"; return 1; }
    dialog=$(windowNamed "Restore Unsaved Changes")
    sleep 0.5
    if [ -n "$shots" ]; then
        import -window root "$shots/restore-question.png"
    fi
    xdotool windowfocus --sync "$dialog"
    xdotool key "$1"
}
saveWithKeys() {
    local main
    waitUntil mainWithLayout || { fail "no main window to save"; return 1; }
    main=$(mainWithLayout)
    xdotool windowfocus --sync "$main"
    sleep 0.2
    xdotool key ctrl+s
}

# The edit saved without a crash: what a restored edit must save.
cp "$original" "$layout"
start "$layout" || exit 1
editWithKeys
sleep 0.3
saveWithKeys
waitUntil bash -c "! cmp -s '$original' '$layout'" || fail "the edit was not saved"
waitUntil noCopies || fail "a copy outlived Save"
cp "$layout" "$work/expected.plo"
crash

# Yes: edited, killed, restarted, restored, saved.
cp "$original" "$layout"
start "$layout" || exit 1
editWithKeys
waitUntil copies || fail "no recovery copy written"
crash
cmp -s "$original" "$layout" || fail "the layout changed before Save"
start || exit 1
answerRestore Return
sleep 0.5
[ -n "$shots" ] && import -window root "$shots/restored.png"
saveWithKeys
waitUntil bash -c "! cmp -s '$original' '$layout'" || fail "the restored edit was not saved"
waitUntil cmp -s "$work/expected.plo" "$layout" || fail "the restored layout saves differently"
waitUntil noCopies || fail "a copy outlived Save after the restore"
crash

# No: the copy goes and the layout stays as it was.
cp "$original" "$layout"
start "$layout" || exit 1
editWithKeys
waitUntil copies || fail "no recovery copy written"
crash
start || exit 1
answerRestore alt+n
sleep 0.5
waitUntil bash -c "! ls '$recovery'/*.rec" || fail "No kept the copy"
ls "$recovery"/*.plo >/dev/null 2>&1 && fail "No left the copy's layout behind"
cmp -s "$original" "$layout" || fail "No changed the layout"
crash

[ "$failures" -eq 0 ] && echo "recovery after a killed process: all passed"
exit "$failures"
