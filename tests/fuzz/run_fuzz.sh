#!/bin/sh
# Builds the engine fuzzer with clang's libFuzzer and the address and
# undefined-behaviour sanitizers, then runs it for a bounded time.
# Usage: run_fuzz.sh [source dir] [work dir] [seconds]
# Exit 77 (skipped) when clang or libFuzzer is not available.
set -eu

here=$(cd "$(dirname "$0")" && pwd)
src=${1:-$here/../..}
work=${2:-${TMPDIR:-/tmp}/hx-engine-fuzz}
seconds=${3:-20}
cxx=${CLANGXX:-clang++}

if ! command -v "$cxx" >/dev/null 2>&1; then
    echo "clang++ not found: skipping the engine fuzzer"
    exit 77
fi
mkdir -p "$work/corpus"

probe="$work/probe.cpp"
printf '%s\n' '#include <cstdint>' '#include <cstddef>' \
    'extern "C" int LLVMFuzzerTestOneInput(const uint8_t*, size_t) { return 0; }' > "$probe"
if ! "$cxx" -fsanitize=fuzzer,address,undefined "$probe" -o "$work/probe" >/dev/null 2>&1; then
    echo "$cxx cannot build libFuzzer targets: skipping the engine fuzzer"
    exit 77
fi

# The engine and its frames are plain C++ and build without Qt; so are the
# tables of live displays and parameter controls the recording view shows
# results through.
sources="$src/console/LiveWidgets.cpp $src/console/ParameterControls.cpp"
for name in Crc16 Frames FloatText RegisterMap ParameterSet TransactionEngine WriteCommand ReadAllCommand FirmwareReadCommand \
    FactoryResetCommand PollStepTransaction LiveActionTransaction CurveFetchTransaction LinkTap LinkObserver FrameDecoder; do
    sources="$sources $src/link/$name.cpp"
done

# shellcheck disable=SC2086
"$cxx" -std=c++20 -g -O1 -Wall -Wextra \
    -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=undefined \
    -I"$src" -I"$src/tests" \
    "$here/EngineFuzz.cpp" "$src/tests/support/FakeSerialPort.cpp" "$src/tests/support/RecordingView.cpp" \
    $sources -o "$work/engine_fuzz"

# A few seeds so the run starts inside each kind of transaction.
for kind in 0 3 6 9 10 11 12 13 14 15 16 17 18 19 20; do
    printf "$(printf '\\%03o' "$kind")\001\000\144\001\366\000\024\377\000\001\002\003" > "$work/corpus/seed$kind"
done

exec "$work/engine_fuzz" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
    -print_final_stats=1 "$work/corpus"
