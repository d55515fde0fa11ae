#!/usr/bin/env bash
# Builds the libFuzzer targets in fuzz/ with clang, AddressSanitizer and UndefinedBehaviorSanitizer into
# build-fuzz/ and runs each for SECONDS (default 60), then prints the executions of every target. Inputs
# that break a target are kept in build-fuzz/findings/. CI does not run this.
#   scripts/fuzz.sh [SECONDS]
set -euo pipefail
cd "$(dirname "$0")/.."
seconds="${1:-60}"

scripts/setup.sh
# clang and its runtime libraries (libFuzzer and the sanitizers) come from Debian.
missing=()
for p in clang libclang-rt-dev; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
        missing+=("$p")
    fi
done
if [ ${#missing[@]} -gt 0 ]; then
    sudo=""
    [ "$(id -u)" -ne 0 ] && sudo="sudo"
    export DEBIAN_FRONTEND=noninteractive
    $sudo apt-get update -qq
    $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

targets=(fuzz_lidarts_reply fuzz_relay_reply fuzz_game_id fuzz_table_code fuzz_statistics_code fuzz_schedule_code
    fuzz_preview)
CC=clang CXX=clang++ cmake -S . -B build-fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo -DBUILD_TESTING=OFF \
    -DTAVORIN_FUZZ=ON >/dev/null
cmake --build build-fuzz --parallel "$(nproc)" --target "${targets[@]}"

mkdir -p build-fuzz/findings
summary=()
failed=0
for t in "${targets[@]}"; do
    corpus="build-fuzz/corpus/$t"
    mkdir -p "$corpus"
    [ -d "fuzz/seeds/$t" ] && cp -n "fuzz/seeds/$t"/* "$corpus"/ 2>/dev/null || true
    # The reply parsers get inputs as long as a real reply; a slow input counts as a finding. The preview
    # must stay linear in the code typed: long inputs from the start, 64 KiB within three seconds with the
    # sanitizers, and 512 MB.
    maxlen=4096
    timeout=5
    rss=2048
    extra=()
    case "$t" in
    fuzz_lidarts_reply | fuzz_relay_reply) maxlen=65536 ;;
    fuzz_preview) maxlen=65536 timeout=3 rss=512 extra=(-len_control=0) ;;
    esac
    [ -f "fuzz/$t.dict" ] && extra+=(-dict="fuzz/$t.dict")
    echo "== $t ($seconds s)"
    log="build-fuzz/$t.log"
    if "build-fuzz/fuzz/$t" -max_total_time="$seconds" -timeout="$timeout" -rss_limit_mb="$rss" \
        -max_len="$maxlen" "${extra[@]}" -print_final_stats=1 -artifact_prefix="build-fuzz/findings/$t-" \
        "$corpus" >"$log" 2>&1; then
        result="no finding"
    else
        result="FINDING (see $log and build-fuzz/findings/)"
        failed=1
    fi
    runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -1)
    rate=$(sed -n 's/^stat::average_exec_per_sec: *//p' "$log" | tail -1)
    summary+=("$(printf '%-22s %12s executions %8s/s  %s' "$t" "${runs:-?}" "${rate:-?}" "$result")")
done

echo
printf '%s\n' "${summary[@]}"
exit "$failed"
