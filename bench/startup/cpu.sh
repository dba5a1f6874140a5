#!/usr/bin/env bash
# Where the start-up's processor time goes (not a test): each start runs under a system-wide `perf record`, and
# the samples from the process start until the web service has seen both first pages are summed by thread name
# (the keyring daemon and the bus count too: they work for the program). Prints milliseconds of processor time,
# the mean of several starts, Quillet's beside the bare two-view window making the very same requests, and how
# much of that span both cores were busy. Same set-up and arguments as startup.sh; needs perf (linux-perf).
#   bench/startup/cpu.sh [build-dir] [runs] [file|keyring] [update]
set -euo pipefail
default_runs=7
command -v perf >/dev/null || {
  echo "cpu.sh: needs perf (Debian package linux-perf)" >&2
  exit 1
}
. "$(dirname "$0")/environment.sh"
login='"body":"dXNlcm5hbWU9ZGVtbyZ0ZW1wX3Bhc3N3b3JkPXNlY3JldA=="'
home='"url":"http://www.ebay.com/"'
rate=2000 # samples a second on each core: one sample is half a millisecond

# One start under perf; appends "thread<TAB>samples" lines for the span to $1, and "busy<TAB>share" for it.
record_once() {
  local out="$1"
  shift
  start_and_wait_for "$login"$'\n'"$home" /dev/null \
    perf record -q -a -k CLOCK_REALTIME -F "$rate" -o "$work/perf.data" -- "$@"
  local recorder=$pid
  # perf ends once the program has.
  local program
  program=$(cat /proc/"$recorder"/task/*/children)
  end_tree "$program"
  wait "$recorder" || true
  # The span starts with the program's first sample: perf takes its own time before it starts the program.
  perf script -i "$work/perf.data" -F comm,time 2>/dev/null |
    awk -v program="$(basename "$1" | cut -c1-15)" -v to="$arrived" -v cores="$(nproc)" -v rate="$rate" '
      { t = $NF; sub(":", "", t); t *= 1000000; name = $1; for (i = 2; i < NF; i++) name = name " " $i
        if (!from && name == program) from = t
        if (!from || t > to) next
        if (name != "swapper" && name != "perf" && name != "perf-exec") n[name]++ }
      END { for (k in n) { busy += n[k]; printf "%s\t%d\n", k, n[k] }
            printf "busy\t%.3f\n", (to > from ? busy / ((to - from) / 1000000 * rate * cores) : 0) }' >>"$out"
}

# Mean milliseconds of each thread name over the runs, largest first, then the total and the busy share.
summary() {
  awk -F'\t' -v runs="$runs" -v rate="$rate" '
    $1 == "busy" { busy += $2; next }
    { ms[$1] += $2 * 1000 / rate; total += $2 * 1000 / rate }
    END { for (k in ms) if (ms[k] / runs >= 0.5) printf "%8.1f ms  %s\n", ms[k] / runs, k
          printf "%8.1f ms  (all threads)\n", total / runs
          printf "%7.0f %%    of both cores busy over the span\n", 100 * busy / runs }' "$1" | sort -rn
}

for_each_start record_once
echo "Quillet, processor time from the process start to both first pages (mean of $runs):"
summary "$work/quillet"
echo "bare window, the same requests:"
summary "$work/same"
