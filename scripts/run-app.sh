#!/usr/bin/env bash
# Installs what is missing, builds, and starts Kelvara. Without a display the
# window is rendered offscreen and a screenshot is saved.
#
# The simulated generator (port 8080) and back-end server (port 8081) start
# first, on a scratch copy of the demo data, and stop when the application
# exits. KELVARA_NO_SIMULATORS=1 skips them (real peers, or simulators started
# by hand); KELVARA_QELO3_SIM_ARGS and KELVARA_SERVER_SIM_ARGS add options,
# for example KELVARA_SERVER_SIM_ARGS="--update-info blocking".
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"
kelvara_install_packages
kelvara_build

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
    export QT_QPA_PLATFORM=offscreen
    export KELVARA_SCREENSHOT=${KELVARA_SCREENSHOT:-$KELVARA_BUILD/kelvara-screenshot.png}
    export KELVARA_QUIT_AFTER_SCREENSHOT=1
    export QTWEBENGINE_DISABLE_SANDBOX=1
    echo "No display found: running offscreen; the screenshot goes to $KELVARA_SCREENSHOT"
fi

simulator_pids=()
simulator_scratch=""
stop_simulators() {
    local pid
    for pid in "${simulator_pids[@]}"; do kill "$pid" 2>/dev/null || true; done
    for pid in "${simulator_pids[@]}"; do wait "$pid" 2>/dev/null || true; done
    if [ -n "$simulator_scratch" ]; then rm -rf "$simulator_scratch"; fi
}

if [ "${KELVARA_NO_SIMULATORS:-0}" != "1" ]; then
    trap stop_simulators EXIT
    trap 'exit 130' INT TERM
    # A scratch copy, so that uploads and received files never touch the tree.
    simulator_scratch=$(mktemp -d "${TMPDIR:-/tmp}/kelvara-simulators.XXXXXX")
    cp -r "$KELVARA_BUILD/simulators/data/." "$simulator_scratch/"
    logs=$KELVARA_BUILD/simulators/logs
    mkdir -p "$logs"
    # shellcheck disable=SC2086 # the option variables are word lists on purpose
    "$KELVARA_BUILD/tools/simulators/kelvara-qelo3-sim" --port 8080 --data "$simulator_scratch/generator" \
        ${KELVARA_QELO3_SIM_ARGS:-} > "$logs/qelo3-sim.log" 2>&1 &
    simulator_pids+=($!)
    # shellcheck disable=SC2086
    "$KELVARA_BUILD/tools/simulators/kelvara-server-sim" --port 8081 --data "$simulator_scratch/server" \
        ${KELVARA_SERVER_SIM_ARGS:-} > "$logs/server-sim.log" 2>&1 &
    simulator_pids+=($!)
    echo "Simulated generator on port 8080, server on port 8081; their logs are in $logs"
fi

status=0
"$KELVARA_BUILD/src/kelvara" "$@" || status=$?
exit $status
