#!/usr/bin/env bash
# Runs a command on a private Xvfb display with a compositor (translucent windows need one).
# Several of these may run at once: Xvfb picks a free display number itself.
set -u
fifo=$(mktemp -u /tmp/moorlet-xvfb.XXXXXX)
mkfifo "$fifo"
exec 3<>"$fifo"
rm -f "$fifo"
Xvfb -displayfd 3 -screen 0 1440x900x24 -nolisten tcp -noreset +extension RANDR >/dev/null 2>&1 &
xvfb_pid=$!
display=
if ! read -r -t 10 display <&3 || [[ -z "$display" ]]; then
  echo "with-xvfb: Xvfb did not start" >&2
  kill "$xvfb_pid" 2>/dev/null
  exit 1
fi
export DISPLAY=":$display"
unset WAYLAND_DISPLAY
export QT_QPA_PLATFORM=xcb
xcompmgr >/dev/null 2>&1 &
comp_pid=$!
"$@"
status=$?
kill "$comp_pid" "$xvfb_pid" 2>/dev/null
wait "$xvfb_pid" 2>/dev/null
exit $status
