#!/usr/bin/env bash
# Builds every fuzz target with clang, libFuzzer, AddressSanitizer and
# UndefinedBehaviorSanitizer into build-fuzz/ and runs each in turn.
#   bash scripts/fuzz.sh [SECONDS]     each target for SECONDS (default 60)
#   bash scripts/fuzz.sh --runs N      each target for N executions
# New inputs collect in build-fuzz/corpus/<target>/ (fuzz/corpus/ holds the
# seeds and stays untouched); a crash leaves its input in
# build-fuzz/artifacts/ and stops the script. Copy such an input into
# fuzz/corpus/<target>/ once fixed, so that the CTest replay keeps it.
set -euo pipefail
cd "$(dirname "$0")/.."

limit=(-max_total_time="${1:-60}")
if [ "${1:-}" = "--runs" ]; then
  limit=(-runs="${2:?--runs needs a count}")
fi

packages=(clang libclang-rt-14-dev cmake ninja-build pkg-config qt6-base-dev liblo-dev ccache qt6-httpserver-dev qt6-websockets-dev libqrencode-dev)
bash scripts/install_packages.sh "${packages[@]}"

targets=()
for dir in fuzz/corpus/*/; do
  targets+=("$(basename "$dir")")
done

cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_CXX_COMPILER_LAUNCHER=ccache \
  -DMIXER_FUZZ=ON -DMIXER_BUILD_TESTS=OFF -DMIXER_BUILD_BENCH=OFF >/dev/null
cmake --build build-fuzz -j2 --target "${targets[@]/#/fuzz_}"

# A smaller quarantine than ASan's 256 MB, never handed back to the system:
# use-after-free of recent frees is still caught, and the targets no longer
# spend most of their time in page faults of freshly mapped memory.
export ASAN_OPTIONS="${ASAN_OPTIONS:-quarantine_size_mb=16:allocator_release_to_os_interval_ms=-1}"

mkdir -p build-fuzz/artifacts
for t in "${targets[@]}"; do
  mkdir -p "build-fuzz/corpus/$t"
  echo "== $t"
  build-fuzz/fuzz/"fuzz_$t" "build-fuzz/corpus/$t" "fuzz/corpus/$t" \
    "${limit[@]}" -max_len=4096 -print_final_stats=1 \
    -artifact_prefix="build-fuzz/artifacts/$t-"
done
