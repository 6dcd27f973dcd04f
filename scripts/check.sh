#!/usr/bin/env bash
# Builds Regmap24 and passes every test: the optimised build with its unit and end-to-end
# tests, the same tests under AddressSanitizer and UndefinedBehaviorSanitizer, and a
# bounded fuzzing run of the reply reader. Installs what a fresh Debian machine lacks.
set -euo pipefail
cd "$(dirname "$0")/.."

missing=()
command -v cmake >/dev/null || missing+=(cmake)
command -v ninja >/dev/null || missing+=(ninja-build)
command -v g++ >/dev/null || missing+=(g++)
command -v clang++ >/dev/null || missing+=(clang)
command -v gnuplot >/dev/null || missing+=(gnuplot-nox)
[ -f /usr/include/gtest/gtest.h ] || missing+=(libgtest-dev)
[ -f /usr/include/benchmark/benchmark.h ] || missing+=(libbenchmark-dev)
ls /usr/lib/llvm-*/lib/clang/*/lib/linux/libclang_rt.fuzzer-x86_64.a >/dev/null 2>&1 ||
  missing+=(libclang-rt-dev)
if [ ${#missing[@]} -gt 0 ]; then
  if [ "$(id -u)" -eq 0 ]; then
    echo "check: installing ${missing[*]}"
    apt-get update -qq
    DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "${missing[@]}" >/dev/null
  else
    echo "check: missing packages: ${missing[*]}" >&2
    echo "check: install them with: sudo apt-get install -y ${missing[*]}" >&2
    exit 1
  fi
fi

jobs=$(nproc)

echo "== optimised build and tests"
cmake --preset release >/dev/null
cmake --build --preset release -j "$jobs"
ctest --preset release -j "$jobs"

echo "== bounded fuzzing of the reply reader (60 s)"
cmake --preset fuzz >/dev/null
cmake --build --preset fuzz -j "$jobs"
mkdir -p build/fuzz/corpus
# New inputs go to the scratch corpus under build/; the seeds in fuzz/corpus stay as
# committed. The fuzzer's progress goes to a log, shown only when it finds a fault.
if ! build/fuzz/fuzz/reply_reader_fuzz -max_total_time=60 -max_len=256 -dict=fuzz/reply.dict \
    -artifact_prefix=build/fuzz/ -print_final_stats=1 build/fuzz/corpus fuzz/corpus \
    >build/fuzz/fuzz.log 2>&1; then
  tail -n 60 build/fuzz/fuzz.log
  echo "check: the reply reader fuzzer found a fault (input saved under build/fuzz/)" >&2
  exit 1
fi
grep -E '^(Done|stat::new_units_added)' build/fuzz/fuzz.log

echo "== sanitizer build and tests"
cmake --preset sanitize >/dev/null
cmake --build --preset sanitize -j "$jobs"
ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 ctest --preset sanitize -j "$jobs"
