#!/bin/sh
# Fails when a C++ file differs from .clang-format's layout. The layout is clang-format 14's; other versions lay
# out a few constructs differently.
set -e
format=$(command -v clang-format-14 || command -v clang-format)
files=$(git ls-files '*.cpp' '*.h')
"$format" --dry-run --Werror $files
