# Sourced by the scripts that run a program against fake-services on
# loopback (demo.sh, start.sh --demo).
#
#   work="$(mktemp -d)"
#   serve_fake_services NAME SERVER [server options...] GRAPH
#
# starts SERVER with the options and the graph, its port written into
# $work/port, waits for it and sets $port. The server is stopped and the
# scratch folder $work removed when the script exits (stop_fake_services
# does it earlier). NAME prefixes the error lines.

server_pid=""

stop_fake_services() {
  if [ -n "$server_pid" ]; then
    kill "$server_pid" 2>/dev/null || true
    wait "$server_pid" 2>/dev/null || true
    server_pid=""
  fi
  [ -n "$work" ] && rm -rf "$work"
  work=""
  trap - EXIT INT TERM
}

serve_fake_services() {
  local name="$1" server="$2"
  shift 2
  trap stop_fake_services EXIT INT TERM
  "$server" --port-file "$work/port" "$@" >/dev/null &
  server_pid=$!
  for _ in $(seq 1 100); do
    [ -s "$work/port" ] && break
    sleep 0.05
  done
  if [ ! -s "$work/port" ]; then
    echo "$name: fake-services did not start" >&2
    exit 1
  fi
  port="$(cat "$work/port")"
}
