#!/bin/sh
# Runs every libFuzzer target of a fuzz build for the given seconds, growing its corpus in
# build/fuzz-corpus/<name> from the seeds in fuzz/<name>/corpus. Crashes land in fuzz/<name>/.
set -eu
build=$1
seconds=$2
status=0
for target in "$build"/fuzz/*/fuzz_*; do
  [ -x "$target" ] || continue
  name=$(basename "$target" | sed 's/^fuzz_//')
  seeds="fuzz/$name/corpus"
  work="$build/fuzz-corpus/$name"
  mkdir -p "$work"
  options=""
  [ -f "fuzz/$name/$name.dict" ] && options="-dict=fuzz/$name/$name.dict"
  # fuzz/<name>/extra_seeds lists more seed folders, one per line (read, never written).
  extra=""
  [ -f "fuzz/$name/extra_seeds" ] && extra=$(cat "fuzz/$name/extra_seeds")
  echo "== fuzzing $name for ${seconds}s"
  # shellcheck disable=SC2086
  "$target" $options -max_total_time="$seconds" -artifact_prefix="fuzz/$name/" \
    "$work" "$seeds" $extra || status=1
done
exit $status
