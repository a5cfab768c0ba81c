# Sourced by the hand-run scripts that start the built program (bench/App, scripts/package.sh).
#
# private_home FOLDER: gives this shell a home, XDG folders and SDL's dummy audio driver inside
# FOLDER, so that the program reads and writes nothing of the caller's.
private_home() {
  local scratch=$1
  export HOME=$scratch/home XDG_CONFIG_HOME=$scratch/home/.config XDG_DATA_HOME=$scratch/home/.local/share
  export XDG_CACHE_HOME=$scratch/home/.cache XDG_RUNTIME_DIR=$scratch/runtime XDG_DATA_DIRS=$scratch/share
  export SDL_AUDIODRIVER=dummy
  mkdir -p "$HOME" "$XDG_RUNTIME_DIR" "$XDG_DATA_DIRS"
  chmod 700 "$XDG_RUNTIME_DIR"
}

# await_status PROGRAM: waits up to 20 s for the running Moorlet to answer PROGRAM --status; prints
# the answer and succeeds once it does.
await_status() {
  for _ in $(seq 100); do
    "$1" --status 2>/dev/null && return 0
    sleep 0.2
  done
  return 1
}

# start_program PROGRAM: starts the program in the background, its process id in $pid, and waits
# until it answers.
start_program() {
  "$1" &
  pid=$!
  await_status "$1" >/dev/null
}
