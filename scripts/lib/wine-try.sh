#!/usr/bin/env bash
# The Windows installer tried under Wine on a virtual X server (scripts/windows --try runs this
# inside xvfb-run): installed silently into a throwaway prefix, checked, the installed program walked
# with the keyboard (tests/walk/walk.sh), uninstalled silently and checked. On failure a
# screenshot is left in the current folder.
# Usage: wine-try.sh INSTALLER
source "$(dirname "$0")/common.sh"
installer="$(realpath "$1")"

fail() {
    echo "WINDOWS-PRØVEN FEJLEDE: $*" >&2
    import -window root wine-failure.png 2>/dev/null && echo "Skærmbillede: $PWD/wine-failure.png" >&2
    exit 1
}

installed_and_walked() {
    local program_folder="$WINEPREFIX/drive_c/zunKolvra/Program" key
    key='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\zunKolvraStifinder'
    wine "$installer" /S || fail "installationen sluttede med en fejl"
    [ -f "$program_folder/zunkolvra.exe" ] || fail "zunkolvra.exe blev ikke installeret i C:\\zunKolvra\\Program"
    [ -f "$program_folder/Qt6Widgets.dll" ] || fail "Qt blev ikke installeret ved siden af programmet"
    [ -f "$program_folder/plugins/platforms/qwindows.dll" ] || fail "Qt's Windows-tilslutning mangler"
    [ -f "$program_folder/translations/qtbase_da.qm" ] || fail "Qt's danske tekster mangler"
    [ -f "$program_folder/icons/breeze/index.theme" ] || fail "programmets billeder mangler"
    [ -d "$program_folder/Stifinder" ] || fail "programmets data mangler"
    find "$WINEPREFIX/drive_c" -ipath '*start menu*' -name 'zunKolvra Stifinder.lnk' | grep -q . ||
        fail "startmenuens genvej mangler"
    wine reg query "$key" /v UninstallString 2>/dev/null | grep -q 'Afinstaller.exe' ||
        fail "afinstallationen er ikke registreret under Programmer og funktioner"
    echo "Installeret i C:\\zunKolvra\\Program"

    # A command's failure does not end this function (it runs on the left of ||): each says so.
    ZUN_WALK_INSIDE_XVFB=1 bash "$ROOT/tests/walk/walk.sh" "$program_folder/zunkolvra.exe" 2 ||
        fail "gåturen med det installerede program fejlede"

    # The user's own folder stays; everything the installer put there goes.
    local user_folder="$WINEPREFIX/drive_c/zunKolvra/$(id -un)"
    mkdir -p "$user_folder"
    echo "brugerens egen fil" >"$user_folder/behold.txt"
    wine "$program_folder/Afinstaller.exe" /S || fail "afinstallationen sluttede med en fejl"
    # The uninstaller copies itself away and runs from there: wait for it.
    for _ in $(seq 1 100); do
        [ -e "$program_folder" ] || break
        sleep 0.2
    done
    [ ! -e "$program_folder" ] || fail "C:\\zunKolvra\\Program blev ikke fjernet: $(find "$program_folder" | head -5)"
    [ -f "$user_folder/behold.txt" ] || fail "afinstallationen fjernede brugerens egne filer"
    ! wine reg query "$key" >/dev/null 2>&1 || fail "afinstallationen står stadig under Programmer og funktioner"
    find "$WINEPREFIX/drive_c" -name 'zunKolvra Stifinder.lnk' | grep -q . && fail "genvejene blev ikke fjernet"
    echo "Afinstalleret; brugerens mappe C:\\zunKolvra\\$(id -un) er der stadig"
}

in_throwaway_wine installed_and_walked
