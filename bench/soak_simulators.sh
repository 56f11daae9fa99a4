#!/usr/bin/env bash
# Soak run of both simulator programs: they serve the demo data while a client
# connects, transfers (user-set download and upload, lists, catalogue, a
# firmware container every tenth round, a log upload) and disconnects in a
# loop. The client samples the resident memory of both every 30 s from /proc
# and prints start, end and maximum; the run fails on any protocol error or
# when a simulator dies.
#
#   bench/soak_simulators.sh [seconds]        (default 600)
#
# SOAK_PAUSE_MS (default 20) idles between rounds so that the run shares the
# machine; 0 hammers the peers as fast as the client can.
set -euo pipefail

ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
BUILD=${KELVARA_BUILD:-$ROOT/build}
DURATION=${1:-600}
GENERATOR_PORT=${SOAK_GENERATOR_PORT:-18080}
SERVER_PORT=${SOAK_SERVER_PORT:-18081}
PAUSE_MS=${SOAK_PAUSE_MS:-20}
SIMULATORS=$BUILD/tools/simulators

for program in kelvara-qelo3-sim kelvara-server-sim kelvara-sim-soak-client; do
    [ -x "$SIMULATORS/$program" ] || { echo "build $program first (ninja -C $BUILD $program)" >&2; exit 2; }
done
[ -d "$BUILD/simulators/data/server" ] || { echo "build the demo data first (ninja -C $BUILD kelvara_demodata)" >&2; exit 2; }

scratch=$(mktemp -d)
pids=()
cleanup() {
    for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
    for pid in "${pids[@]}"; do wait "$pid" 2>/dev/null || true; done
    [ -n "${SOAK_KEEP:-}" ] && cp "$scratch"/*.log /tmp/ ; rm -rf "$scratch"
}
trap cleanup EXIT

cp -r "$BUILD/simulators/data/." "$scratch/"
"$SIMULATORS/kelvara-qelo3-sim" --port "$GENERATOR_PORT" --data "$scratch/generator" > "$scratch/generator.log" 2>&1 &
pids+=($!)
"$SIMULATORS/kelvara-server-sim" --port "$SERVER_PORT" --data "$scratch/server" > "$scratch/server.log" 2>&1 &
pids+=($!)

password=$(sed -n '/^\[admin\]/,/^\[/s/^Password=//p' "$scratch/server/users.ini")
status=0
"$SIMULATORS/kelvara-sim-soak-client" \
    --generator "ws://127.0.0.1:$GENERATOR_PORT" --server "ws://127.0.0.1:$SERVER_PORT" \
    --user admin --password "$password" --seconds "$DURATION" --pause-ms "$PAUSE_MS" \
    --watch "${pids[0]}" --watch "${pids[1]}" || status=$?

for pid in "${pids[@]}"; do
    if ! kill -0 "$pid" 2>/dev/null; then
        echo "simulator $pid died during the run" >&2
        status=1
    fi
done
echo "generator pid=${pids[0]} log_lines=$(wc -l < "$scratch/generator.log")" \
     "server pid=${pids[1]} log_lines=$(wc -l < "$scratch/server.log")"
exit $status
