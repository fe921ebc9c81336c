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

# time_once COMMAND...: the wall time of one run of COMMAND in seconds.
time_once() {
  local start end
  start=$(now)
  "$@" >/dev/null
  end=$(now)
  awk -v a="$start" -v b="$end" 'BEGIN { printf "%.3f", b - a }'
}

# cpu_once COMMAND...: the processor time (user + system) of one run of COMMAND in seconds.
cpu_once() {
  local TIMEFORMAT='%3U %3S' times
  times=$( { time "$@" >/dev/null 2>&1; } 2>&1)
  awk -v t="$times" 'BEGIN { split(t, p, " "); printf "%.3f", p[1] + p[2] }'
}

# best_alternating SETUP COMMAND_A COMMAND_B: $runs rounds, each running SETUP untimed and timing COMMAND_A,
# then SETUP and COMMAND_B (commands as strings, evaluated), so that a busy moment of the machine falls on
# both alike; prints the best time of each, "A B": wall time, or with measure=cpu_once processor time.
best_alternating() {
  local setup=$1 a=$2 b=$3 bestA="" bestB="" t
  for ((run = 0; run < runs; run++)); do
    eval "$setup"
    t=$(eval "${measure:-time_once} $a")
    if [ -z "$bestA" ] || awk -v e="$t" -v b="$bestA" 'BEGIN { exit !(e < b) }'; then bestA=$t; fi
    eval "$setup"
    t=$(eval "${measure:-time_once} $b")
    if [ -z "$bestB" ] || awk -v e="$t" -v b="$bestB" 'BEGIN { exit !(e < b) }'; then bestB=$t; fi
  done
  echo "$bestA $bestB"
}
