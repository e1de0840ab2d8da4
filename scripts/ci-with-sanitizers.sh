#!/usr/bin/env bash
# What .ci/run runs: the whole suite, then the same suite under
# AddressSanitizer and UndefinedBehaviorSanitizer while the time allows: the whole run stays
# within TAVI_CI_MINUTES (default 60). A sanitizer suite cut short by that limit is reported
# and does not fail the run; one that finds a fault does.
set -euo pipefail
cd "$(dirname "$0")/.."  # the repository root
budget=$((${TAVI_CI_MINUTES:-60} * 60))
started=$SECONDS
./test.sh
left=$((budget - (SECONDS - started) - 120))
if ((left < 600)); then
    echo "ci: no time left for the sanitizer suite ($((SECONDS - started)) s used)"
    exit 0
fi
status=0
timeout --kill-after=30 "$left" ./test.sh --asan || status=$?
if ((status == 124 || status == 137)); then
    echo "ci: the sanitizer suite ran out of time after $left s; it did not finish"
    exit 0
fi
echo "ci: whole run $((SECONDS - started)) s"
exit "$status"
