# Sourced by scripts that run Windows programs: starts a private Xvfb display, a null-sink
# PulseAudio server and the Wine server for the build folder's prefix, and stops them on exit.
# Expects $build. KVR_NO_SOUND=1 runs without a sound server (the no-device path).

source "$(dirname "${BASH_SOURCE[0]}")/windows-arch.sh"
export WINEPREFIX=$build/wineprefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
session_dir=$(mktemp -d /tmp/kvr-session.XXXXXX)
session_pids=()

session_stop() {
    wineserver -k >/dev/null 2>&1 || true
    for pid in "${session_pids[@]}"; do kill "$pid" >/dev/null 2>&1 || true; done
    [ -n "${pulse_started:-}" ] && pulseaudio --kill >/dev/null 2>&1 || true
    rm -rf "$session_dir"
}
trap session_stop EXIT

# A display number nobody uses.
display=$(( 90 + $$ % 400 ))
while [ -e /tmp/.X11-unix/X$display ] || [ -e /tmp/.X$display-lock ]; do display=$((display + 1)); done
Xvfb :$display -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
session_pids+=($!)
export DISPLAY=:$display
for _ in $(seq 50); do [ -e /tmp/.X11-unix/X$display ] && break; sleep 0.1; done

if [ "${KVR_NO_SOUND:-0}" != 1 ]; then
    export XDG_RUNTIME_DIR=$session_dir/run PULSE_RUNTIME_PATH=$session_dir/run/pulse HOME_SAVED=$HOME
    mkdir -p "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"
    if pulseaudio -n --daemonize=yes --exit-idle-time=-1 --system=false --disallow-exit \
        --load="module-null-sink" --load="module-native-protocol-unix" >/dev/null 2>&1; then
        pulse_started=1
    fi
fi

if [ ! -f "$WINEPREFIX/system.reg" ]; then
    wineboot -i >/dev/null 2>&1 || true
    wineserver -w
fi
wineserver -p >/dev/null 2>&1 || true
# Start the prefix's background processes (services, devices, the desktop window) now, with
# their output going nowhere: started from a test, they would hold its output pipe open.
wine rundll32.exe user32.dll,GetDesktopWindow >/dev/null 2>&1 || true
