#!/usr/bin/env bash
# Start-up benchmark (not a test): time from process start until the simulator has seen both first pages
# of Quillet (the Lastbell login post and the site's home page, reached through the affiliate redirect), against
# two bare two-view windows: one making the very same requests from a profile kept on disk, as Quillet does, and
# one loading the plain login page and home page from a profile in memory. Prints the median of each and the
# ratios. With "keyring", Quillet finds the password in a keyring of the benchmark's own (scripts/keyring-session)
# and only the user name in its settings file; without it, both are in the file. With "update", a newer version is
# published, signed as the maker signs it, so Quillet's version check also fetches and checks the manifest and its
# signature while the first pages load. Also the memory of each program's whole process tree (PSS) once the
# pages have loaded, Quillet's against the bare window's with the same requests. With "bare-twice" instead of
# "update", the bare window with the same requests takes Quillet's place, with a profile of its own: the ratio then
# differs from 1.00 by the machine's noise and the order of the starts alone.
#   bench/startup/startup.sh [build-dir] [runs] [file|keyring] [update|bare-twice]
set -euo pipefail
default_runs=7
. "$(dirname "$0")/environment.sh"

# Proportional set size of the whole tree in KiB: shared pages count once across it.
tree_pss() {
  local sum=0 pid pss
  for pid in $(tree_pids "$1"); do
    pss=$(awk '/^Pss:/ {print $2}' /proc/"$pid"/smaps_rollup 2>/dev/null || true)
    sum=$((sum + ${pss:-0}))
  done
  echo "$sum"
}

# The tree's PSS once the pages have loaded: sampled every 100 ms until the last six samples (half a second)
# lie within 1% of each other, at most 15 s.
settled_pss() {
  local samples=() deadline=$(($(date +%s) + 15))
  while true; do
    samples+=("$(tree_pss "$1")")
    if [ "${#samples[@]}" -ge 6 ]; then
      local last=("${samples[@]: -6}")
      local low high
      low=$(printf '%s\n' "${last[@]}" | sort -n | head -1)
      high=$(printf '%s\n' "${last[@]}" | sort -n | tail -1)
      if [ $((100 * (high - low))) -le "$high" ] || [ "$(date +%s)" -ge "$deadline" ]; then
        echo "${last[5]}"
        return
      fi
    fi
    sleep 0.1
  done
}

# Milliseconds from start until the web service received the later of the two requests, taken from the arrival
# times in its log. With a third argument other than "-", the tree's settled PSS is appended to that file before
# the program ends.
time_until_both() {
  local first="$1" second="$2" memory="$3"
  shift 3
  start_and_wait_for "$first"$'\n'"$second" /dev/null "$@"
  if [ "$memory" != - ]; then settled_pss "$pid" >>"$memory"; fi
  end_tree "$pid"
  echo $(((arrived - start) / 1000))
}

# The login post is known by its body (username=demo&temp_password=secret), so it must carry the password.
login='"body":"dXNlcm5hbWU9ZGVtbyZ0ZW1wX3Bhc3N3b3JkPXNlY3JldA=="'
home='"url":"http://www.ebay.com/"'
same=("$build/bench/startup/bench_bare_two_views" --persistent --post "username=demo&temp_password=secret"
  http://www.lastbell.com/secure/login.cfm "http://www.qksrv.net/click-1108872-5463217?loc=http%3A//www.ebay.com")
median() { sort -n | awk '{a[NR]=$1} END {print a[int((NR+1)/2)]}'; }

for i in $(seq "$runs"); do
  export XDG_CONFIG_HOME="$work/config$i" XDG_DATA_HOME="$work/data$i" XDG_CACHE_HOME="$work/cache$i"
  mkdir -p "$XDG_CONFIG_HOME/Lastbell Quillet"
  printf "[Settings]\nStartScreen=N\n$saved" >"$XDG_CONFIG_HOME/Lastbell Quillet/Lastbell Quillet.ini"
  if [ "$update" = bare-twice ]; then
    XDG_DATA_HOME="$work/first-data$i" XDG_CACHE_HOME="$work/first-cache$i" time_until_both "$login" "$home" \
      "$work/quillet-pss" "${same[@]}" >>"$work/quillet"
  else
    time_until_both "$login" "$home" "$work/quillet-pss" "$build/program/Quillet" >>"$work/quillet"
  fi
  time_until_both "$login" "$home" "$work/same-pss" "${same[@]}" >>"$work/same"
  time_until_both '"url":"http://www.lastbell.com/secure/login.cfm"' "$home" - \
    "$build/bench/startup/bench_bare_two_views" http://www.lastbell.com/secure/login.cfm http://www.ebay.com/ \
    >>"$work/bare"
done
q=$(median <"$work/quillet")
s=$(median <"$work/same")
b=$(median <"$work/bare")
if [ "$update" = bare-twice ]; then echo "(bare-twice: \"Quillet\" below is the bare window with the same requests)"; fi
echo "Quillet to both first pages:           ${q} ms (median of $runs)"
echo "bare window, the same requests:        ${s} ms"
echo "bare window, plain pages, no disk:     ${b} ms"
echo "each start, in order (Quillet / same requests): $(paste -d/ "$work/quillet" "$work/same" | tr '\n' ' ')"
# Each start beside the bare window's started right after it: the machine's slower and faster phases fall on both.
paste "$work/quillet" "$work/same" | awk '{print $1 / $2}' | sort -n | awk '{r[NR] = $1}
  END {printf "ratio of each start to the bare window right after it: median %.2f, middle half %.2f to %.2f\n",
    r[int((NR + 1) / 2)], r[int((NR + 3) / 4)], r[int((3 * NR + 3) / 4)]}'
awk -v q="$q" -v s="$s" -v b="$b" \
  'BEGIN {printf "ratio Quillet / same requests: %.2f; Quillet / plain pages: %.2f\n", q / s, q / b}'
qm=$(median <"$work/quillet-pss")
sm=$(median <"$work/same-pss")
echo "memory once loaded (PSS of the process tree): Quillet ${qm} KiB, bare window with the same requests ${sm} KiB"
awk -v q="$qm" -v s="$sm" 'BEGIN {printf "ratio of memory Quillet / same requests: %.2f\n", q / s}'
