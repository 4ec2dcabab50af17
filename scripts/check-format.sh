#!/bin/sh
# Fails when a C++ file differs from .clang-format's layout.
set -e
files=$(git ls-files '*.cpp' '*.h')
clang-format --dry-run --Werror $files
