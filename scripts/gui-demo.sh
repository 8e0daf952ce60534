#!/usr/bin/env bash
# The windowed program shown without a display: starts KvrDecryptor.exe on a private virtual
# display, drops each bundled sample on it through real OLE drag and drop (tools/drag-source),
# then a large archive (the dial turns), a broken file (a message) and a sample a second time
# (a question, answered with Enter), opens the Appearance dialog from its menu and closes it
# with Escape, and quits it from its menu. Screenshots of each stage, a short animation and the
# decrypted files land in a fresh folder out/gui-<time>/. KVR_DEMO_SCALE=2 (or 1.5) runs it
# with the prefix's display at that multiple of 96 DPI, put back to 96 at the end.
# Usage: scripts/gui-demo.sh   (scripts/run.sh runs it when there is no display, and with
#        --scale S sets KVR_DEMO_SCALE)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
export BUILD_DIR=${BUILD_DIR:-$root/build}
build=$BUILD_DIR

"$root/scripts/build.sh" KvrDecryptor drag-source make-large-archive

# shellcheck source=wine-session.sh
source "$root/scripts/wine-session.sh"
# A compositor blends the layered windows' soft edges with what lies behind, as on Windows.
if command -v xcompmgr >/dev/null 2>&1; then
    xcompmgr >/dev/null 2>&1 &
    session_pids+=($!)
fi

# Every place on the screen below is the 100 % one scaled by the display's.
scale=${KVR_DEMO_SCALE:-1}
scaled() { awk -v n="$1" -v s="$scale" 'BEGIN { printf "%d", n * s + 0.5 }'; }
dpi=$(scaled 96)
desktop='HKCU\Control Panel\Desktop'
if [ "$dpi" != 96 ]; then
    wine reg add "$desktop" /v LogPixels /t REG_DWORD /d "$dpi" /f >/dev/null
    trap 'wine reg add "$desktop" /v LogPixels /t REG_DWORD /d 96 /f >/dev/null 2>&1; session_stop' EXIT
fi

out=$root/out/gui-$(date +%Y%m%d-%H%M%S)
shots=$out/screenshots
work=$out/files
mkdir -p "$shots" "$work"
cp -r "$root/samples/." "$work/"
winpath() { echo "Z:${1//\//\\}"; }

# ImageMagick's convert (a stand-in of the same name may come first on the PATH).
im_convert=/usr/bin/convert
[ -x "$im_convert" ] || im_convert=convert

# The window where the screenshots expect it, the samples' keys as the user key folder.
left=150 top=296
large_mb=${KVR_DEMO_LARGE_MB:-400}
settings='HKCU\Software\Quillmont\Decryptor\1.0\Default'
wine reg delete "$settings" /f >/dev/null 2>&1 || true
wine reg add "$settings" /v Keys /t REG_SZ /d "$(winpath "$work/Keys")\\" /f >/dev/null
wine reg add "$settings" /v WndPos /t REG_DWORD /d $(( top * 65536 + left )) /f >/dev/null
centre_x=$(( left + $(scaled 65) )) centre_y=$(( top + $(scaled 87) ))
# Around the program's windows: at 100 % a part of the screen, larger the whole screen.
crop=640x330+100+230
[ "$dpi" = 96 ] || crop=1024x768+0+0
around_drive=$(scaled 240)x$(scaled 240)+$(( left - $(scaled 55) ))+$(( top - $(scaled 31) ))

shot() {  # name
    import -window root -crop $crop +repage "$shots/$1.png"
    echo "  screenshot $1.png"
}

drag() {  # drag-source arguments...; retried while the window is still busy
    local status=1 attempt
    for attempt in 1 2 3 4 5 6; do
        set +e
        wine "$build/tools/drag-source.exe" "$@" >/dev/null 2>&1
        status=$?
        set -e
        [ $status = 1 ] || break
        sleep 1
    done
    return $status
}

wait_for_window() {  # title pattern; prints the X window id
    local id
    for _ in $(seq 100); do
        id=$(xdotool search --onlyvisible --name "$1" 2>/dev/null | head -1 || true)
        [ -n "$id" ] && { echo "$id"; return 0; }
        sleep 0.1
    done
    return 1
}

press() {  # X window id, key
    xdotool windowfocus --sync "$1" 2>/dev/null || xdotool windowfocus "$1"
    sleep 0.2
    xdotool key --clearmodifiers "$2"
}

echo "Starting KvrDecryptor.exe on display $DISPLAY; results in $out" >&2
wine "$build/app/KvrDecryptor.exe" >/dev/null 2>&1 &
program=$!
for _ in $(seq 150); do
    xdotool search --onlyvisible --class kvrdecryptor >/dev/null 2>&1 && break
    sleep 0.2
done
sleep 1
shot 1-idle

echo "Dropping the samples:" >&2
first=1
for sample in letters.enc plain.enc photo.png picture.bmp song.wav; do
    if [ $first = 1 ]; then
        # Held over the window long enough to show the file coming out of the drive.
        drag --hold 2500 $centre_x $centre_y "$(winpath "$work/$sample")" &
        dragger=$!
        sleep 2.2
        shot 2-file-over-window
        wait $dragger
        first=0
    else
        drag $centre_x $centre_y "$(winpath "$work/$sample")"
    fi
    echo "  $sample" >&2
    sleep 1.5
done

echo "A large archive (the dial):" >&2
wine "$build/bench/make-large-archive.exe" "$(winpath "$work/large.enc")" $large_mb "$(winpath "$work/Keys/project.key")" \
    >/dev/null 2>&1
# The animation is recorded from the drag's start: over the window, in, working, out.
drag $centre_x $centre_y "$(winpath "$work/large.enc")" &
dragger=$!
frames=$(mktemp -d)
for i in $(seq -w 1 90); do
    import -window root -crop "$around_drive" +repage "$frames/$i.png"
    [ "$i" = 60 ] && shot 3-working-dial
done
wait $dragger || true
"$im_convert" -delay 8 -loop 0 "$frames"/*.png "$shots/working.gif"
echo "  animation working.gif" >&2
rm -rf "$frames"
# Until the large archive is written and the window is idle again.
for _ in $(seq 600); do
    written=$(du -sb "$work/large" 2>/dev/null | cut -f1)
    [ "${written:-0}" -ge $(( large_mb << 20 )) ] && break
    sleep 0.2
done
sleep 2
rm -f "$work/large.enc"

# Drops a file that makes the program show a child window, shoots the window once it has
# faded in and answers it with Enter.
drop_and_answer() {  # file, title pattern of the window, screenshot name
    drag $centre_x $centre_y "$(winpath "$1")"
    id=$(wait_for_window "$2")
    sleep 1.2
    shot "$3"
    press "$id" Return
}

echo "A broken file (a message):" >&2
printf 'not an archive at all' >"$work/broken.enc"
drop_and_answer "$work/broken.enc" "not a valid encrypted archive" 4-message
sleep 1.5

echo "letters.enc again (a question):" >&2
drop_and_answer "$work/letters.enc" "This folder already exists" 5-question
# A closing message window takes a moment to go (Wine without a window manager); the menu
# waits for it.
sleep 4

echo "Appearance from the window's menu:" >&2
open_menu() {  # right click on the window; the menu takes the keyboard
    xdotool mousemove $centre_x $centre_y click 3
    sleep 0.8
    local menu
    menu=$(xdotool search --onlyvisible --class kvrdecryptor 2>/dev/null | tail -1 || true)
    [ -n "$menu" ] && xdotool windowfocus "$menu" 2>/dev/null || true
}
# The fourth item: "Decrypt a File..." and the two key-folder items come first. A menu that opened before the window
# was ready for it, or lost the keyboard, is closed and opened again.
opened=
for _ in 1 2 3; do
    open_menu
    xdotool key Down Down Down Down Return
    if id=$(wait_for_window "^Appearance$"); then
        opened=1
        break
    fi
    xdotool key Escape
    sleep 1
done
if [ -n "$opened" ]; then
    sleep 1
    shot 6-appearance
    for _ in 1 2 3; do
        press "$id" Escape
        sleep 2
        xdotool search --onlyvisible --name "^Appearance$" >/dev/null 2>&1 || break
    done
else
    echo "  the Appearance dialog did not open" >&2
fi

echo "Quit from the window's menu:" >&2
set +e
for _ in 1 2 3; do
    open_menu
    xdotool key Up Return
    for _ in $(seq 50); do kill -0 $program 2>/dev/null || break; sleep 0.1; done
    kill -0 $program 2>/dev/null || break
    xdotool key Escape
done
if kill -0 $program 2>/dev/null; then
    echo "  KvrDecryptor.exe did not end after Quit; stopping it" >&2
    kill $program
fi
wait $program
status=$?
set -e
echo "  KvrDecryptor.exe ended with exit code $status" >&2

echo
echo "Decrypted files:"
( cd "$work" && find . -mindepth 2 -type f ! -path './Keys/*' | sort | sed 's|^\./|  |' )
echo
echo "Screenshots and animation in $shots:"
ls -1 "$shots" | sed 's/^/  /'
