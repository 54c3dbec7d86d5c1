#!/usr/bin/env bash
# Runs the main job on bundled sample content.
set -euo pipefail
build="${1:-build}"
"$build/bin/solvane-cli" --help >/dev/null
"$build/bin/solvane-cli"
