#!/usr/bin/env bash
# Where the start-up time goes (not a test): Quillet's own marks and the web service's arrival times, in
# milliseconds from the process start, the median of several starts; then the arrivals for the bare two-view
# window making the very same requests. Same set-up as startup.sh (keyring, update).
#   bench/startup/trace.sh [build-dir] [runs] [file|keyring] [update]
set -euo pipefail
default_runs=5
. "$(dirname "$0")/environment.sh"
export QT_LOGGING_RULES="quillet.startup.debug=true" QT_MESSAGE_PATTERN="%{message}"
login='"body":"dXNlcm5hbWU9ZGVtbyZ0ZW1wX3Bhc3N3b3JkPXNlY3JldA=="'
home='"url":"http://www.ebay.com/"'

# One start: appends "NAME<TAB>ms" lines for its marks and each request that reached the service to $1.
trace_once() {
  local out="$1"
  shift
  start_and_wait_for "$login"$'\n'"$home" "$work/marks" "$@"
  end_tree "$pid"
  awk -v start="$start" '$1 == "mark" { name = $3; for (i = 4; i <= NF; i++) name = name " " $i;
    printf "%s%s\t%.1f\n", name, (++n[name] > 1 ? " " n[name] : ""), ($2 - start) / 1000 }' "$work/marks" >>"$out"
  sed -E 's/.*"method":"([A-Z]+)","url":"([^"]*)".*"at":([0-9]+)}$/\1 \2\t\3/' <<<"$log" |
    awk -F'\t' -v start="$start" '{ printf "request %s\t%.1f\n", $1, ($2 - start) / 1000 }' >>"$out"
}

# The median of each name, in the order of their medians.
medians() {
  sort -t$'\t' -k1,1 -k2,2n "$1" | awk -F'\t' '
    { v[$1, ++n[$1]] = $2 }
    END { for (k in n) printf "%8.1f ms  %s\n", v[k, int((n[k] + 1) / 2)], k }' | sort -n
}

for_each_start trace_once
echo "Quillet, from the process start (median of $runs):"
medians "$work/quillet"
echo "bare window, the same requests:"
medians "$work/same"
