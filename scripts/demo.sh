#!/usr/bin/env bash
# Runs the main job on bundled sample content. For now: start-up without windows in a
# temporary working tree, the template catalogs of the built library, and the exit.
set -euo pipefail
build="${1:-build}"
"$build/bin/solvane-cli" --help >/dev/null
"$build/bin/solvane-cli" catalog
