# Wall-time helpers of the benchmark scripts, sourced by them. best_of reads the caller's $runs.

now() { echo "${EPOCHREALTIME/,/.}"; }

# best_of SETUP COMMAND...: runs SETUP untimed (clear outputs, warm the cache), then times COMMAND; prints the
# best of $runs wall times in seconds.
best_of() {
  local setup=$1 best="" start end elapsed
  shift
  for ((run = 0; run < runs; run++)); do
    eval "$setup"
    start=$(now)
    "$@" >/dev/null
    end=$(now)
    elapsed=$(awk -v a="$start" -v b="$end" 'BEGIN { printf "%.3f", b - a }')
    if [ -z "$best" ] || awk -v e="$elapsed" -v b="$best" 'BEGIN { exit !(e < b) }'; then best=$elapsed; fi
  done
  echo "$best"
}

ratio() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.2f", a / b }'; }
