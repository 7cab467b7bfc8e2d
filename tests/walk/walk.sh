#!/usr/bin/env bash
# A newcomer's first minutes, driven with the keyboard through xdotool on a virtual X server: a
# fresh home, a folder opened, a file copied with the program's own clipboard and pasted into
# another folder ("Sæt ind"), renamed, deleted to the recycle bin, cut in one explorer window and
# pasted in a second one (a move), the program quit with Ctrl+Q.
# The files on disk are checked after every step. On failure a screenshot is left in the current
# folder as walk-failure.png.
# Usage: walk.sh PROGRAM [PACE]  (a whole number: 2 waits twice as long, for slow builds)
# A PROGRAM ending in .exe is the Windows program installed in the Wine prefix WINEPREFIX: it runs
# under Wine with the caller's (throwaway) home, whose trash is Wine's recycle bin.
set -euo pipefail

program="$(realpath "$1")"
wine=false
[[ "$program" == *.exe ]] && wine=true
pace="${2:-1}"
if [ -z "${ZUN_WALK_INSIDE_XVFB:-}" ]; then
    exec xvfb-run -a -s "-screen 0 1600x1000x24" env ZUN_WALK_INSIDE_XVFB=1 bash "$0" "$program" "$pace"
fi
unset QT_QPA_PLATFORM

home="$(mktemp -d)"
pid=""
cleanup() {
    if [ -n "$pid" ] && kill -0 "$pid" 2>/dev/null; then
        kill "$pid" 2>/dev/null || true
        wait "$pid" 2>/dev/null || true
    fi
    rm -rf "$home"
}
trap cleanup EXIT

fail() {
    echo "GÅTUR FEJLEDE: $*" >&2
    import -window root walk-failure.png 2>/dev/null || true
    echo "Skærmbillede: $PWD/walk-failure.png" >&2
    if [ -f "$home/program.log" ]; then
        echo "--- programmets udskrift ---" >&2
        cat "$home/program.log" >&2
    fi
    exit 1
}

pause() { sleep "$(awk -v pace="$pace" -v steps="${1:-1}" 'BEGIN { print pace * steps }')"; }

# Polls `condition` (a command) for up to 30 seconds at this pace.
wait_until() {
    local what="$1"
    shift
    local tries=$((150 * pace))
    for _ in $(seq 1 "$tries"); do
        "$@" && return 0
        sleep 0.2
    done
    fail "$what"
}

focused_window_is() { [ "$(xdotool getwindowfocus getwindowname 2>/dev/null)" = "$1" ]; }
shown_window_is() { xdotool search --onlyvisible --name "^$1\$" >/dev/null 2>&1; }

# Waits for the question titled $2 (failing with $1) and leaves the focus on it. Under Wine the
# keyboard focus sits on a window of Wine's own, so the question is found by its title and given
# the focus, as a click on it would.
wait_for_question() {
    if $wine; then
        wait_until "$1" shown_window_is "$2"
        pause
        xdotool search --onlyvisible --name "^$2\$" windowfocus --sync >/dev/null 2>&1 || true
        pause 0.5
    else
        wait_until "$1" focused_window_is "$2"
    fi
}
main_window_up() { xdotool search --name '^zunKolvra: ' >/dev/null 2>&1; }
program_ended() { ! kill -0 "$pid" 2>/dev/null; }

# Without a window manager nobody gives the focus back when a dialog closes: do it as one would.
focus_main_window() {
    xdotool search --name '^zunKolvra: ' windowfocus --sync >/dev/null 2>&1 || fail "hovedvinduet kunne ikke få fokus"
    pause 0.3
}

# Types a name into the focused tree (its type-ahead finds the entry) and presses Enter.
open_entry() {
    xdotool type --delay 50 "$1"
    xdotool key Return
    pause
}

user="$(id -un)"
if $wine; then
    documents="$WINEPREFIX/drive_c/users/$user/Documents"
    trash="${XDG_DATA_HOME:-$HOME/.local/share}/Trash"
else
    export HOME="$home" XDG_DATA_HOME="$home/.local/share" XDG_CONFIG_HOME="$home/.config"
    export XDG_CACHE_HOME="$home/.cache" XDG_RUNTIME_DIR="$home/run"
    mkdir -m 700 "$XDG_RUNTIME_DIR"
    documents="$XDG_DATA_HOME/zunKolvra/drive_c/Users/$user/Documents"
    trash="$XDG_DATA_HOME/Trash"
fi
source_folder="$documents/Kilde"
target_folder="$documents/Mål"
mkdir -p "$source_folder" "$target_folder"
printf 'Rødgrød med fløde\n' >"$source_folder/æble.txt"

if $wine; then
    # Wine reads the keyboard's map once, at its start, and never sees the keys xdotool maps on the
    # fly for letters the map lacks: a Danish keyboard has æ, ø and å, as the program's users' have.
    setxkbmap dk || fail "det danske tastatur kunne ikke vælges"
    wine "$program" >"$home/program.log" 2>&1 &
else
    "$program" >"$home/program.log" 2>&1 &
fi
pid=$!
wait_until "hovedvinduet kom ikke frem" main_window_up
pause 2
focus_main_window

# The explorer window, its file tree, and down to C:\Users\<user>\Documents\Kilde.
xdotool key ctrl+s
pause
xdotool key alt+2
pause 0.5
for folder in Users "$user" Documents Kilde; do open_entry "$folder"; done

# Copy æble.txt to the program's clipboard, go back one folder, into Mål, paste.
xdotool type --delay 50 "æ"
pause 0.5
xdotool key ctrl+c
pause
xdotool key alt+Left
pause
open_entry "Mål"
xdotool key ctrl+v
wait_for_question "spørgsmålet om kopiering kom ikke" "Kopiering af elementer"
xdotool key Return
copied() { [ "$(cat "$target_folder/æble.txt" 2>/dev/null)" = "Rødgrød med fløde" ]; }
wait_until "æble.txt blev ikke kopieret til Mål" copied
[ -f "$source_folder/æble.txt" ] || fail "originalen i Kilde forsvandt ved kopieringen"
echo "Kopieret og sat ind: Mål/æble.txt"

# Rename it in place: F2, the new name, Enter.
focus_main_window
xdotool key alt+2
pause 0.5
xdotool type --delay 50 "æ"
pause 0.5
xdotool key F2
pause
xdotool type --delay 50 "pære.txt"
xdotool key Return
renamed() { [ -f "$target_folder/pære.txt" ] && [ ! -e "$target_folder/æble.txt" ]; }
wait_until "æble.txt blev ikke omdøbt til pære.txt" renamed
[ "$(cat "$target_folder/pære.txt")" = "Rødgrød med fløde" ] || fail "pære.txt har ikke æble.txt's indhold"
echo "Omdøbt: Mål/pære.txt"

# Delete it to the recycle bin: Ctrl+D and yes to the question.
focus_main_window
xdotool key alt+2
pause 0.5
xdotool type --delay 50 "p"
pause 0.5
xdotool key ctrl+d
wait_for_question "spørgsmålet om sletning kom ikke" "Sletning af elementer"
xdotool key Return
in_trash() { [ ! -e "$target_folder/pære.txt" ] && [ -f "$trash/files/pære.txt" ]; }
wait_until "pære.txt kom ikke i papirkurven" in_trash
[ "$(cat "$trash/files/pære.txt")" = "Rødgrød med fløde" ] || fail "papirkurvens pære.txt har ikke filens indhold"
grep -q '^Path=' "$trash/info/pære.txt.trashinfo" || fail "papirkurven ved ikke, hvor pære.txt lå"
[ -f "$source_folder/æble.txt" ] || fail "originalen i Kilde forsvandt"
echo "Slettet til papirkurven: pære.txt"

# Cut æble.txt in this explorer window, open a second one (Ctrl+1) and paste it into Mål there:
# the cut goes with the rows, so the file is moved, not copied.
focus_main_window
xdotool key alt+2
pause 0.5
xdotool key alt+Left
pause
open_entry "Kilde"
xdotool type --delay 50 "æ"
pause 0.5
xdotool key ctrl+x
pause
xdotool key ctrl+1
pause 2
focus_main_window
xdotool key alt+2
pause 0.5
for folder in Users "$user" Documents "Mål"; do open_entry "$folder"; done
xdotool key ctrl+v
wait_for_question "spørgsmålet om flytning kom ikke" "Flytning af elementer"
xdotool key Return
moved() { [ ! -e "$source_folder/æble.txt" ] && [ "$(cat "$target_folder/æble.txt" 2>/dev/null)" = "Rødgrød med fløde" ]; }
wait_until "æble.txt blev ikke flyttet fra Kilde til Mål i den anden stifinder" moved
echo "Klippet i Stifinder 1 og sat ind i Stifinder 2: flyttet til Mål/æble.txt"

# Quit with Ctrl+Q.
focus_main_window
xdotool key ctrl+q
wait_until "programmet sluttede ikke efter Ctrl+Q" program_ended
status=0
wait "$pid" || status=$?
pid=""
[ "$status" -eq 0 ] || fail "programmet sluttede med status $status"
[ "$(cat "$target_folder/æble.txt")" = "Rødgrød med fløde" ] || fail "den flyttede æble.txt blev ændret"
echo "Programmet lukket med Ctrl+Q; gåturen gik godt."
