#!/usr/bin/env bash
# Fails when a C++ file of the tree differs from what clang-format makes of it
# (the repository's .clang-format).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh clang-format >/dev/null
git ls-files -z '*.cpp' '*.h' | xargs -0 clang-format --dry-run -Werror
echo "format: every C++ file as clang-format leaves it"
