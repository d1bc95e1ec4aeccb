#!/bin/sh
# Runs the demo commands of the vendor's guide exactly as the guide shows
# them: every line of an indented example that names build/demo-, in order,
# from the top of the source tree. Each is echoed with its output; the first
# that fails stops the run with its status.
# Usage: run-guide-examples.sh [GUIDE]
cd "$(dirname "$0")/.." || exit 2
guide=${1:-docs/setup-inf.md}
commands=$(sed -n 's/^    \([^$ ].*build\/demo-.*\)$/\1/p' "$guide")
[ -n "$commands" ] || { echo "no demo commands in $guide" >&2; exit 2; }
echo "$commands" | while IFS= read -r line; do
  echo "\$ $line"
  sh -c "$line" || { status=$?; echo "failed ($status): $line"; exit $status; }
done
