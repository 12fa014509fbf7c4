#!/usr/bin/env bash
# Runs Windows programs of the cross build under Wine: headless, in a prefix of the build's own,
# every call bounded in time.
#
#   wine.sh prefix           make a fresh prefix in $WINE_DIR/prefix, with $WINE_DIR/drive-d as D:
#   wine.sh run PROGRAM ...  run a program there (the build's test emulator)
#   wine.sh wait             wait until every program of the prefix has ended
#   wine.sh stop             stop the prefix's Wine server
#
# TORVANE_WINE_TIMEOUT (seconds, default 300) bounds each call.
set -uo pipefail

fail() {
    echo "wine.sh: $*" >&2
    exit 1
}

[ $# -ge 1 ] || fail "usage: wine.sh prefix | run PROGRAM [ARGS...] | wait | stop"
[ -n "${WINE_DIR:-}" ] || fail "WINE_DIR must name the folder that holds the Wine prefix"

wine=${WINE64:-/usr/lib/wine/wine64}
[ -x "$wine" ] || wine=$(command -v wine64 || true)
[ -n "$wine" ] && [ -x "$wine" ] || fail "wine64 is not installed (apt-get install wine64)"
wineserver=$(dirname "$wine")/wineserver64
[ -x "$wineserver" ] || wineserver=$(command -v wineserver || echo true)

export WINEPREFIX=$WINE_DIR/prefix
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="  # no .NET or browser installers in a headless prefix
unset DISPLAY WAYLAND_DISPLAY
limit=${TORVANE_WINE_TIMEOUT:-300}

# Runs wine with the time limit; 124 from timeout means the limit was hit.
bounded() {
    timeout --kill-after=10 "$limit" "$wine" "$@"
}

case "$1" in
prefix)
    "$wineserver" -k >/dev/null 2>&1
    rm -rf "$WINE_DIR" && mkdir -p "$WINE_DIR/drive-d" || fail "cannot make $WINE_DIR"
    bounded wineboot --init >"$WINE_DIR/wineboot.log" 2>&1
    rc=$?
    [ $rc -eq 124 ] || [ $rc -eq 137 ] && fail "Wine did not start within $limit s (wineboot, see $WINE_DIR/wineboot.log)"
    [ $rc -eq 0 ] && [ -d "$WINEPREFIX/dosdevices" ] ||
        fail "Wine cannot start: wineboot exited with $rc (see $WINE_DIR/wineboot.log)"
    ln -s "$WINE_DIR/drive-d" "$WINEPREFIX/dosdevices/d:" || fail "cannot map drive D:"
    echo "Wine prefix $WINEPREFIX ready, D: is $WINE_DIR/drive-d"
    ;;
run)
    shift
    [ $# -ge 1 ] || fail "run needs a program"
    [ -d "$WINEPREFIX/dosdevices" ] || fail "no Wine prefix in $WINEPREFIX: run 'wine.sh prefix' first"
    [ -f "$1" ] || fail "no program $1"
    # Drive D: is a scratch folder here; the tests may empty it. Folders of the build are
    # handed over as Windows paths on drive Z:, which Wine maps to /.
    export TORVANE_SCRATCH_DRIVE_D=1
    for name in TORVANE_SOURCE_DIR TORVANE_BINARY_DIR; do
        value=${!name:-}
        [ -n "$value" ] && export "$name=Z:${value//\//\\}"
    done
    bounded "$@"
    rc=$?
    case $rc in
    124 | 137) fail "$(basename "$1") did not finish within $limit s under Wine" ;;
    53) fail "$(basename "$1") cannot start under Wine: a DLL it needs is missing" ;;
    esac
    exit $rc
    ;;
wait)
    # A program may go on in a copy of itself (an uninstaller does) after the one started ends.
    timeout --kill-after=10 "$limit" "$wineserver" -w
    rc=$?
    [ $rc -eq 124 ] || [ $rc -eq 137 ] && fail "the programs of the prefix did not end within $limit s"
    exit 0
    ;;
stop)
    "$wineserver" -k >/dev/null 2>&1
    exit 0
    ;;
*)
    fail "unknown command $1"
    ;;
esac
