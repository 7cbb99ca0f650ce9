#!/usr/bin/env bash
# Sets up, builds and starts the desktop program.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
cmake -S . -B build -G Ninja
cmake --build build --target plexaro
exec build/frontends/qt/plexaro "$@"
