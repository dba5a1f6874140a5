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
