#!/usr/bin/env bash
# Set-up, build and the two things people do with this tree:
#   ./halvorn.sh play   install what is missing, build, generate the data, start the game
#   ./halvorn.sh test   the same set-up, then every test: normal build, sanitizer build with the fuzz targets, fuzzing
set -euo pipefail
cd "$(dirname "$0")"

PACKAGES=(build-essential cmake ninja-build clang libclang-rt-dev llvm
          libgtest-dev libgmock-dev googletest libbenchmark-dev zlib1g-dev
          libsdl2-dev libgl-dev libegl-dev libgl1-mesa-dri libfreetype-dev fonts-dejavu-core
          imagemagick xvfb x11-apps xdotool xdg-utils python3 netbase ccache)

install_missing() {
    local missing=()
    for p in "${PACKAGES[@]}"; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    local sudo=""
    [ "$(id -u)" -ne 0 ] && sudo="sudo"
    $sudo apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq "${missing[@]}"
}

njobs() { nproc 2>/dev/null || echo 2; }
# A suite runs one test more than there are cores: the window tests and the
# death tests' new processes leave a core waiting part of the time, and on
# two cores the third test took a quarter off the normal suite's time.
suite_jobs() { echo $(($(njobs) + 1)); }

build_normal() {
    cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
    cmake --build build -j "$(njobs)"
}

# The compiler cache keys on paths relative to the tree, so clones and
# work trees in other folders share what was already compiled.
export CCACHE_BASEDIR="${CCACHE_BASEDIR:-$PWD}"
export CCACHE_NOHASHDIR="${CCACHE_NOHASHDIR:-1}"
# On a miss the cache takes the headers from the compiler's dependency file
# instead of running the preprocessor before the compile: with an empty cache
# (a fresh machine) a build costs some 4 % more than with no cache instead of
# 16 %, and what is cached is found as before.
export CCACHE_DEPEND="${CCACHE_DEPEND:-1}"
export SDL_VIDEODRIVER="${SDL_VIDEODRIVER:-offscreen}"
export SDL_AUDIODRIVER="${SDL_AUDIODRIVER:-dummy}"

PASSED=0
FAILED=0

# Each phase's wall time and the processor time its commands used (the
# shell's children, all cores together), printed at the end of the run so
# that the build's share of the run can be watched as the code grows.
PHASE_LINES=()
PHASE_START=0
PHASE_CPU_START=0
# Processor seconds used so far by the commands this shell has waited for
# (the shell's own children's times, read from /proc as $$ is this shell
# even inside a command substitution).
children_cpu() {
    awk -v tick="$(getconf CLK_TCK)" '{ printf "%d", ($16 + $17) / tick }' "/proc/$$/stat"
}
phase_begin() {
    PHASE_START=$SECONDS
    PHASE_CPU_START=$(children_cpu)
}
phase_end() {
    local wall=$((SECONDS - PHASE_START)) cpu
    cpu=$(($(children_cpu) - PHASE_CPU_START))
    PHASE_LINES+=("$(printf '%-18s %4d:%02d wall  %6d cpu-s' "$1" $((wall / 60)) $((wall % 60)) "$cpu")")
}
print_phases() {
    local line
    echo
    for line in "${PHASE_LINES[@]}"; do echo "time: $line"; done
}
# Runs ctest in a build tree and adds its counts to the totals.
run_suite() {
    local dir=$1 label=$2 log
    log=$(mktemp)
    set +e
    ctest --test-dir "$dir" -j "$(suite_jobs)" --output-on-failure --timeout 600 2>&1 | tee "$log"
    set -e
    local line total failed
    line=$(grep -E 'tests passed, [0-9]+ tests failed out of [0-9]+' "$log" | tail -n 1 || true)
    if [ -z "$line" ]; then
        echo "$label: ctest gave no summary"
        FAILED=$((FAILED + 1))
    else
        failed=$(echo "$line" | sed -E 's/.* ([0-9]+) tests failed out of ([0-9]+).*/\1/')
        total=$(echo "$line" | sed -E 's/.* ([0-9]+) tests failed out of ([0-9]+).*/\2/')
        PASSED=$((PASSED + total - failed))
        FAILED=$((FAILED + failed))
        echo "$label: $((total - failed)) passed, $failed failed"
    fi
    count_skips "$label" "$log" "$dir/Testing/Temporary/LastTest.log"
    rm -f "$log"
}

# The skipped tests of a suite, counted by reason, kept for the end of the
# run: each test's skip message from the tests' own output (ctest keeps
# every test's output in LastTest.log), and the whole tests ctest lists as
# not run (a script that exits "skipped"), with the last line they printed.
SKIP_LINES=()
count_skips() {
    local label=$1 console=$2 testlog=$3 line
    if [ ! -f "$testlog" ]; then
        SKIP_LINES+=("$label: no test log ($testlog), skips not counted")
        return
    fi
    while IFS= read -r line; do SKIP_LINES+=("$line"); done < <(awk -v label="$label" '
        FILENAME == ARGV[1] && /^The following tests did not run:/ { listing = 1; next }
        FILENAME == ARGV[1] && listing && match($0, /^[ \t]+[0-9]+ - .* \((Skipped|Disabled)\)$/) {
            name = $0; sub(/^[ \t]+[0-9]+ - /, "", name); sub(/ \([A-Za-z]+\)$/, "", name)
            notRun[name] = 1; next
        }
        FILENAME == ARGV[1] { next }
        /^[0-9]+\/[0-9]+ Test: / { test = $0; sub(/^[0-9]+\/[0-9]+ Test: /, "", test); last = ""; next }
        /^<end of output>$/ { lastLine[test] = last; next }
        /^\[  SKIPPED \] .* \([0-9]+ ms\)$/ {
            reasons[skipping && reason != "" ? reason : "(no reason given)"]++; total++; skipping = 0; next
        }
        skipping { if (NF) reason = reason == "" ? $0 : reason " " $0; next }
        /: Skipped$/ { skipping = 1; reason = ""; next }
        NF { last = $0 }
        END {
            for (name in notRun) {
                reasons["whole test " name ": " (lastLine[name] == "" ? "(printed nothing)" : lastLine[name])]++
                total++
            }
            if (total == 0) { print label ": no test skipped"; exit }
            print label ": " total " skipped, by reason:"
            fflush()
            for (r in reasons) printf "  %4d  %s\n", reasons[r], substr(r, 1, 160) | "sort -k1,1nr"
            close("sort -k1,1nr")
        }' "$console" "$testlog")
}

# Only platform/ may include SDL, OpenGL or EGL headers; the build fences the
# other targets off, and this catches a file that no target compiles yet.
check_platform_line() {
    local found
    found=$(grep -rnE '^[[:space:]]*#[[:space:]]*include[[:space:]]*[<"](SDL|GL/|GLES|EGL/|KHR/)' \
        --include='*.cpp' --include='*.cc' --include='*.h' --include='*.hpp' \
        --exclude-dir=platform --exclude-dir='build*' --exclude-dir=.git . || true)
    if [ -n "$found" ]; then
        echo "platform line: SDL or GL included outside platform/:"
        echo "$found"
        FAILED=$((FAILED + 1))
    else
        echo "platform line: ok"
        PASSED=$((PASSED + 1))
    fi
}

# The fuzz targets of the sanitizer tree (FUZZ_TREE), each run briefly.
FUZZ_TREE=build-asan
run_fuzzers() {
    phase_begin
    # Each target runs for a fixed time on one core: as many run at once as
    # there are cores, each with its own log, reported in order afterwards.
    mkdir -p "$PWD/$FUZZ_TREE/artifacts"
    local targets=() pids=() target
    for target in "$FUZZ_TREE"/fuzz_*; do
        [ -x "$target" ] || continue
        targets+=("$target")
    done
    local i
    for i in "${!targets[@]}"; do
        rm -f "${targets[$i]}.status"
        if [ "${#pids[@]}" -ge "$(njobs)" ]; then
            wait "${pids[0]}" || true
            pids=("${pids[@]:1}")
        fi
        run_fuzzer "${targets[$i]}" &
        pids+=($!)
    done
    wait || true
    phase_end "fuzz run"
    for target in "${targets[@]}"; do
        if [ "$(cat "$target.status" 2>/dev/null)" = "0" ]; then
            echo "fuzz $(basename "$target"): ok"
            PASSED=$((PASSED + 1))
        else
            echo "fuzz $(basename "$target"): FAILED"
            tail -n 40 "$target.log"
            FAILED=$((FAILED + 1))
        fi
    done
    check_fuzz_stops_on_undefined
}

# One fuzz target over its seed corpus; its exit status goes to
# <target>.status.
run_fuzzer() {
    local target=$1 corpus status=0
    # Absolute paths: a fuzz target may change its working folder.
    corpus="$PWD/fuzz/corpus/$(basename "$target" | sed 's/^fuzz_//')"
    # Crashing and slow inputs land in the build tree, not in the sources.
    local args=(-max_total_time=5 -rss_limit_mb=4096
                "-artifact_prefix=$PWD/$FUZZ_TREE/artifacts/$(basename "$target")-")
    # New units go into a scratch folder first in line, never into the
    # seed corpus in the source tree.
    local scratch="$PWD/$FUZZ_TREE/corpus/$(basename "$target")"
    mkdir -p "$scratch"
    local dirs=("$scratch")
    [ -d "$corpus" ] && dirs+=("$corpus")
    "$target" "${args[@]}" "${dirs[@]}" >"$target.log" 2>&1 || status=$?
    echo "$status" >"$target.status"
}

# The fuzz build must stop on undefined behaviour: the canary target adds 1
# to the largest int when given this input, and must fail with a report.
check_fuzz_stops_on_undefined() {
    local canary=$FUZZ_TREE/fuzzcanary_undefined input=$FUZZ_TREE/canary-input
    printf 'UB\001\000\000\000' >"$input"
    if "$canary" "$input" >"$canary.log" 2>&1 || ! grep -q "runtime error" "$canary.log"; then
        echo "fuzz canary: FAILED (undefined behaviour did not stop the run)"
        tail -n 20 "$canary.log"
        FAILED=$((FAILED + 1))
    else
        echo "fuzz canary: ok (undefined behaviour stops the run)"
        PASSED=$((PASSED + 1))
    fi
}

# A sound card (ALSA) or a sound server (PulseAudio, PipeWire) to play on.
has_sound_output() {
    local run="${XDG_RUNTIME_DIR:-/run/user/$(id -u)}"
    compgen -G '/dev/snd/pcm*' >/dev/null || [ -S "$run/pulse/native" ] || [ -S "$run/pipewire-0" ]
}

case "${1:-}" in
play)
    install_missing
    build_normal
    cd build/game
    unset SDL_VIDEODRIVER SDL_AUDIODRIVER
    # The game stops at start-up when it cannot open a sound device: on a
    # machine with none (a virtual machine, a server) it plays silent.
    if ! has_sound_output; then
        echo "halvorn.sh: no sound device found; the game plays without sound" >&2
        export SDL_AUDIODRIVER=dummy
    fi
    exec ../halvorn "${@:2}"
    ;;
test)
    install_missing
    check_platform_line
    phase_begin
    build_normal
    phase_end "normal build"
    phase_begin
    run_suite build "normal build"
    phase_end "normal suite"
    # The sanitizer tree reads the game data the normal tree generated, and
    # builds the fuzz targets beside its tests: its libraries, compiled once
    # for both, record the fuzzer's coverage, and each of their files is
    # compiled on its own, without the precompiled header, so that a file
    # that does not include what it uses stops this build instead of hiding
    # behind the header. It is compiled by clang (the fuzzer's compiler):
    # its build takes some two fifths less processor time than with GCC. A
    # tree an earlier version configured with GCC is made again (a tree
    # keeps its first compiler).
    phase_begin
    if [ -f build-asan/CMakeCache.txt ] && ! grep -q '^CMAKE_CXX_COMPILER:FILEPATH=.*clang++' build-asan/CMakeCache.txt; then
        rm -rf build-asan
    fi
    CC=clang CXX=clang++ cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DHALVORN_SANITIZE=ON \
        -DHALVORN_FUZZ=ON -DHALVORN_BENCH=OFF -DHALVORN_GAME_DATA="$PWD/build/game" >/dev/null
    cmake --build build-asan -j "$(njobs)"
    phase_end "sanitizer build"
    phase_begin
    ASAN_OPTIONS=detect_leaks=0 UBSAN_OPTIONS=print_stacktrace=1 run_suite build-asan "sanitizer build"
    phase_end "sanitizer suite"
    run_fuzzers
    print_phases
    echo
    for line in "${SKIP_LINES[@]}"; do echo "skipped: $line"; done
    echo "check: $PASSED passed, $FAILED failed"
    [ "$FAILED" -eq 0 ]
    ;;
*)
    echo "usage: $0 play [game options] | test" >&2
    exit 2
    ;;
esac
