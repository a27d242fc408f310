#!/usr/bin/env bash
# Plants each fault of tools/mutants/faults.txt alone in src/, builds the test program, runs the
# whole in-process suite (stopping at its first failure) and puts the file back. A fault no test
# catches is a survivor: either a gap in the tests or a change that cannot be told apart.
#
#   tools/mutants/run.sh [N ...]    only the faults numbered N (as the list prints them)
#
# BUILD_DIR (default build) must be configured with -DVORLUSK_TESTS=ON and built once. The window
# tests need an X server of their own and the small-screen test a display of its size: neither
# runs here. The asset tests, which take most of the time and see src/ only through the colour
# key, run after the rest: a fault still meets every other test before it counts as a survivor.
set -uo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
cd "$root"
build=${BUILD_DIR:-build}
list=tools/mutants/faults.txt
log=$build/mutants
mkdir -p "$log"
phases=("-ArtAssets.*:SoundAssets.*:WindowTest.*:SmallScreenTest.*" "ArtAssets.*:SoundAssets.*")

planted=""
restore() {
    if [ -n "$planted" ]; then
        cp "$log/original" "$planted" && touch "$planted"
        planted=""
    fi
}
trap 'restore; exit 130' INT TERM

# Replaces the one place `from` stands in `file` by `to` (\n in either is a new line).
plant() {
    perl -e '
        my ($file, $from, $to) = @ARGV;
        s/\\n/\n/g for $from, $to;
        local $/;
        open my $in, "<", $file or exit 4;
        my $text = <$in>;
        close $in;
        my $count = () = $text =~ /\Q$from\E/g;
        exit 3 if $count != 1;
        $text =~ s/\Q$from\E/$to/;
        open my $out, ">", $file or exit 4;
        print $out $text;
        close $out;' "$@"
}

# The suite's verdict on the program as built: the first failing test, or nothing.
firstFailure() {
    local out=$log/run.txt status failed
    for phase in "${phases[@]}"; do
        (cd data && timeout 900 "../$build/tests/vorlusk-tests" --gtest_fail_fast --gtest_brief=1 \
            --gtest_filter="$phase") >"$out" 2>&1
        status=$?
        if [ $status -ne 0 ]; then
            failed=$(grep -m1 -o '\[  FAILED  \] [A-Za-z0-9_./]*' "$out" | cut -c14-)
            [ $status -eq 124 ] && failed="timed out"
            echo "${failed:-the suite (status $status)}"
            return
        fi
    done
}

wanted=" $* "
number=0 killed=0 survived=0 broken=0
summary=$log/summary.txt
: >"$summary"
while IFS= read -r line; do
    case "$line" in '#'* | '') continue ;; esac
    number=$((number + 1))
    [ $# -gt 0 ] && [[ "$wanted" != *" $number "* ]] && continue
    file=${line%% @@ *}
    rest=${line#* @@ }
    from=${rest%% @@ *}
    to=${rest#* @@ }
    cp "$file" "$log/original"
    plant "$file" "$from" "$to"
    status=$?
    if [ $status -ne 0 ]; then
        verdict="NOT FOUND"
        broken=$((broken + 1))
    else
        planted=$file
        if ! cmake --build "$build" -j 2 --target vorlusk-tests >"$log/build.txt" 2>&1; then
            verdict="NO BUILD"
            broken=$((broken + 1))
        else
            by=$(firstFailure)
            if [ -n "$by" ]; then
                verdict="killed by $by"
                killed=$((killed + 1))
            else
                verdict="SURVIVED"
                survived=$((survived + 1))
            fi
        fi
        restore
    fi
    printf '%3d %s: %s -> %s\n    %s\n' "$number" "$file" "$from" "$to" "$verdict" | tee -a "$summary"
done <"$list"
cmake --build "$build" -j 2 --target vorlusk-tests >"$log/build.txt" 2>&1
total=$((killed + survived))
printf '%d of %d faults killed (%d%%), %d survived, %d not planted\n' "$killed" "$total" \
    $((total > 0 ? 100 * killed / total : 0)) "$survived" "$broken" | tee -a "$summary"
