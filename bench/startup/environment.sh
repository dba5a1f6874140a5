# The start-up benchmarks' common set-up, sourced by startup.sh and trace.sh with their own arguments
# ([build-dir] [runs] [file|keyring] [update]) and `default_runs` set: the saved login in a file or in a keyring of
# the benchmark's own, a published update if asked for, the simulator, the environment both programs run in, and
# the ending of a program's whole process tree.
root="$(cd "$(dirname "$0")/../.." && pwd)"
build="${1:-$root/build}"
runs="${2:-$default_runs}"
where="${3:-file}"
update="${4:-}"
if [ "$where" = keyring ]; then
  exec "$root/scripts/keyring-session" "$0" "$build" "$runs" in-keyring "$update"
fi
if [ "$where" = in-keyring ]; then
  printf 'secret' | secret-tool store --label="Lastbell Quillet" user demo server "Lastbell Quillet" type plaintext
  saved='[Main]\nUser=demo\n'
else
  saved='[Main]\nUser=demo\nPassword=secret\n'
fi
work="$(mktemp -d)"
trap 'kill $simulator 2>/dev/null || true; rm -rf "$work"' EXIT
published=()
if [ "$update" = update ]; then
  "$root/scripts/publish" --key "$build/update-keys/test.key" --version 9.9.9 "$build/program" "$work/published" \
    >/dev/null
  published=(--published "$work/published")
fi
"$build/simulator/quillet_simulator" --port 0 --port-file "$work/port" "${published[@]}" >/dev/null 2>&1 &
simulator=$!
for _ in $(seq 100); do [ -s "$work/port" ] && break; sleep 0.05; done
port="$(cat "$work/port")"
control="http://127.0.0.1:$port/__control"
export http_proxy="http://127.0.0.1:$port" no_proxy= QT_QPA_PLATFORM=offscreen QTWEBENGINE_DISABLE_SANDBOX=1
export QTWEBENGINE_CHROMIUM_FLAGS="--no-sandbox --disable-gpu"

# The text percent-encoded for a query (ASCII).
urlencode() {
  local text="$1" i c out=""
  for ((i = 0; i < ${#text}; i++)); do
    c="${text:i:1}"
    case "$c" in
    [A-Za-z0-9._~-]) out+="$c" ;;
    *) out+=$(printf '%%%02X' "'$c") ;;
    esac
  done
  echo "$out"
}

# Starts a program (from $3 on; its standard error goes to the file $2) once the service's log is empty and the
# service has been asked for its log as soon as it holds a request with each of the texts in $1 (separated by
# a line break). The question goes out over a plain socket before the program starts, so that nothing looks
# meanwhile and takes the program's processor time. Sets start (the launch, in microseconds since 1970), pid,
# log and arrived (when the later of the texts' first requests came); ends the benchmark when the requests do not
# come within a minute.
start_and_wait_for() {
  local texts="$1" errors="$2" query="" text
  shift 2
  while read -r text; do query+="holding=$(urlencode "$text")&"; done <<<"$texts"
  curl -s --noproxy "*" -d "" "$control/clear-log" >/dev/null
  exec 3<>"/dev/tcp/127.0.0.1/$port"
  printf 'GET /__control/log?%swait=60000 HTTP/1.1\r\nHost: 127.0.0.1\r\nConnection: close\r\n\r\n' "$query" >&3
  start=$(($(date +%s%N) / 1000))
  "$@" >/dev/null 2>"$errors" &
  pid=$!
  log="$(sed '1,/^\r$/d' <&3)"
  exec 3<&-
  while read -r text; do
    if ! grep -qF "$text" <<<"$log"; then
      echo "$(basename "$0"): $1 did not make its requests in a minute; the log holds:" >&2
      echo "$log" >&2
      kill -TERM "$pid"
      exit 1
    fi
  done <<<"$texts"
  arrived=$(while read -r text; do
    grep -F -m1 "$text" <<<"$log" | sed -E 's/.*"at":([0-9]+)}$/\1/'
  done <<<"$texts" | sort -n | tail -1)
}

# Each run, with a fresh profile and settings: the function $1 (OUT-FILE COMMAND...) for Quillet, then for the bare
# two-view window making the very same requests.
for_each_start() {
  local once="$1" i
  for i in $(seq "$runs"); do
    export XDG_CONFIG_HOME="$work/config$i" XDG_DATA_HOME="$work/data$i" XDG_CACHE_HOME="$work/cache$i"
    mkdir -p "$XDG_CONFIG_HOME/Lastbell Quillet"
    printf "[Settings]\nStartScreen=N\n$saved" >"$XDG_CONFIG_HOME/Lastbell Quillet/Lastbell Quillet.ini"
    "$once" "$work/quillet" "$build/program/Quillet"
    "$once" "$work/same" "$build/bench/startup/bench_bare_two_views" --persistent \
      --post "username=demo&temp_password=secret" http://www.lastbell.com/secure/login.cfm \
      "http://www.qksrv.net/click-1108872-5463217?loc=http%3A//www.ebay.com"
  done
}

# The process and all its descendants (the web engine's zygotes and renderers).
tree_pids() {
  echo "$1"
  local child
  for child in $(cat /proc/"$1"/task/*/children 2>/dev/null); do tree_pids "$child"; done
}

# Ends the program and waits until its whole tree has gone, so that no renderer of one start still runs while the
# next one is timed.
end_tree() {
  local pids
  pids=$(tree_pids "$1")
  kill -TERM "$1"; wait "$1" 2>/dev/null || true
  local deadline=$(($(date +%s) + 10)) pid
  for pid in $pids; do
    while kill -0 "$pid" 2>/dev/null && [ "$(date +%s)" -lt "$deadline" ]; do sleep 0.02; done
  done
}
