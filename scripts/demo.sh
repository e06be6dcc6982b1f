#!/usr/bin/env bash
# Builds the launcher, lays out the sample installation under build/demo and
# opens a sample record with it. The launcher doesn't wait for the client, so
# the demo reads the client's output until the client has ended. It ends with
# its own time, set-up included.
set -euo pipefail
start=${EPOCHREALTIME/./}
cd "$(dirname "$0")/.."
# Only what these three programs need: no Wine, no cross compiler, no test
# or benchmark libraries (scripts/test.sh installs those).
./scripts/setup.sh demo >&2

cmake --preset demo >/dev/null
cmake --build --preset demo -j "$(nproc)" --target launcher launcher-check demo_client >/dev/null

demo=build/demo
rm -rf "$demo"
mkdir -p "$demo/clients" "$demo/records"
cp build/demo-build/launcher/launcher build/demo-build/tools/launcher-check/launcher-check "$demo/"
cp -r examples/config "$demo/"
cp build/demo-build/examples/demo_client "$demo/clients/poker"
cp build/demo-build/examples/demo_client "$demo/clients/mahjong"
cp examples/records/* "$demo/records/"
# The sample game table names its clients below the launcher's folder, where
# they are found from any folder; the demo runs from the installation folder
# for the sample records' short relative names.
cd "$demo"

record=${1:-records/poker-0001.rec}
echo "\$ ./launcher $record"
# The client inherits the launcher's output, so this waits for the client too.
status=0
output=$(./launcher "$record") || status=$?
echo "launcher exit code: $status"
echo "what the started client printed:"
echo "$output"
echo
echo "To see why a record would or wouldn't open: (cd $demo && ./launcher-check $record)"
ms=$(((${EPOCHREALTIME/./} - start) / 1000))
echo "The demo took $((ms / 1000)).$((ms % 1000 / 100)) s, set-up and build included."
