#!/usr/bin/env bash
# Builds the libFuzzer targets of fuzz/ with clang, under AddressSanitizer and
# UndefinedBehaviorSanitizer, and runs each for FUZZ_SECONDS (30) over a copy of its seed
# corpus in build/fuzz, so the tree stays as it was. Any crash, leak or hang fails the run;
# what caused it is kept in build/fuzz/artifacts.
set -euo pipefail
cd "$(dirname "$0")/.."

# libFuzzer and the sanitizers' runtimes come with clang's runtime package.
scripts/install-deps.sh clang libclang-rt-14-dev

seconds=${FUZZ_SECONDS:-30}
build=build/fuzz
sanitizers=address,undefined
cmake -S . -B "$build" -DCMAKE_CXX_COMPILER=clang++ \
    -DCMAKE_BUILD_TYPE= -DRADIOSETUP_FUZZ=ON -DRADIOSETUP_TESTS=OFF -DRADIOSETUP_BENCH=OFF \
    -DCMAKE_CXX_FLAGS="-O1 -g -fno-omit-frame-pointer -fsanitize=fuzzer-no-link,$sanitizers \
-fno-sanitize-recover=undefined"

targets=()
for corpus in fuzz/corpus/*/; do
    targets+=("$(basename "$corpus")")
done
cmake --build "$build" --parallel "$(nproc)" --target "${targets[@]}"

mkdir -p "$build/artifacts"
failed=()
for target in "${targets[@]}"; do
    work="$build/corpus/$target"
    rm -rf "$work"
    mkdir -p "$work"
    cp fuzz/corpus/"$target"/* "$work"/
    log="$build/$target.log"
    # libFuzzer reports every new input; the log keeps that, the run shows its outcome.
    if "$build/fuzz/$target" -max_total_time="$seconds" -timeout=10 -print_final_stats=1 \
        -artifact_prefix="$build/artifacts/$target-" "$work" >"$log" 2>&1; then
        runs=$(awk '/^stat::number_of_executed_units/ {print $2; exit}' "$log")
        echo "$target: $runs runs in ${seconds}s, no fault"
    else
        tail -n 40 "$log" >&2
        failed+=("$target")
    fi
done

if ((${#failed[@]})); then
    echo "fuzzing found faults in: ${failed[*]} (inputs in $build/artifacts)" >&2
    exit 1
fi
echo "fuzzing found no faults"
