#!/bin/sh
# Runs a Windows program under a Wine prefix of its own that reports an
# older Windows, made from the build's prefix on first use.
# Usage: wine-version-run.sh BASE_PREFIX VERSION PROGRAM [ARGS...]
base=$1; version=$2; shift 2
prefix="$base-$version"
tools=$(dirname "$0")
"$tools/wine-version-prefix.sh" "$base" "$version" "$prefix" || exit 1
CORVANE_WINDOWS=$version exec "$tools/wine-run.sh" "$prefix" "$@"
