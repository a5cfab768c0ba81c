#!/usr/bin/env bash
# Serves a folder publish.sh wrote over plain HTTP on 127.0.0.1 only, for testing an update
# locally: start Moorlet with ML_UPDATE_SERVER=http://127.0.0.1:PORT. Runs until stopped.
#
# Usage: tools/release/serve.sh DIR [PORT]
#   PORT defaults to 8000; 0 takes a free one. The first line printed names the port in use.
set -euo pipefail
(($# == 1 || $# == 2)) || { echo "usage: $0 DIR [PORT]" >&2; exit 2; }
[[ -f $1/api/appcast ]] || { echo "serve: '$1' has no api/appcast; publish into it first" >&2; exit 1; }
exec python3 -u -m http.server --bind 127.0.0.1 --directory "$1" "${2:-8000}"
