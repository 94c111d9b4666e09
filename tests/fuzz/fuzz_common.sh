# What every fuzzer script does, sourced by tests/*/fuzz/run_fuzz.sh after it
# has gone to the top of the tree:
#   fuzz_start OUT WHAT        (exits 0 without clang++; makes OUT/corpus)
#   fuzz_build NAME ARGS...    (clang with libFuzzer, ASan and UBSan; ARGS are
#                               the sources and any flags, -Isrc is given)
#   fuzz_run NAME SECONDS MAX_LEN
# WHAT names the inputs in the closing line ("link messages clean for 20 s").

fuzz_start() {
  fuzz_out=$1
  fuzz_what=$2
  fuzz_cxx=$(command -v clang++ || true)
  if [ -z "$fuzz_cxx" ]; then
    echo "fuzz: clang++ not found; the fuzzer of $fuzz_what is skipped" >&2
    exit 0
  fi
  mkdir -p "$fuzz_out/corpus"
}

fuzz_build() {
  local name=$1
  shift
  "$fuzz_cxx" -std=c++20 -g -O1 -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=all -Isrc \
    "$@" -o "$fuzz_out/$name"
}

fuzz_run() {
  local name=$1 seconds=$2 max_len=$3
  timeout $((seconds + 60)) "$fuzz_out/$name" -max_total_time="$seconds" -max_len="$max_len" \
    -artifact_prefix="$fuzz_out/" -print_final_stats=1 "$fuzz_out/corpus" 2>"$fuzz_out/fuzz.log" \
    || { tail -40 "$fuzz_out/fuzz.log" >&2; exit 1; }
  grep -E '^stat::number_of_executed_units' "$fuzz_out/fuzz.log" | sed 's/^/fuzz: /'
  echo "fuzz: $fuzz_what clean for ${seconds} s"
}
