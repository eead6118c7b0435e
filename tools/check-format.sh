#!/usr/bin/env bash
# Fails, naming each file, when a C++ source file differs from what clang-format makes of it
# with the root's .clang-format; `make format` rewrites them.
#
#   tools/check-format.sh <source-root>
set -u
cd "$1" || exit 2

files=$(git ls-files '*.cpp' '*.h' 2>/dev/null) ||
    files=$(find app controls framework tests tools bench -name '*.cpp' -o -name '*.h')
status=0
for file in $files; do
    if ! clang-format --dry-run -Werror "$file" >/dev/null 2>&1; then
        echo "check-format: $file differs from clang-format's layout (make format)" >&2
        status=1
    fi
done
exit $status
