#!/bin/sh
# Runs a program under valgrind's memcheck: any invalid read or write, use of
# an uninitialised value or definite leak fails (exit 1). Exits 77 (skipped)
# when valgrind is not installed.
#   valgrind_memcheck.sh SUPPRESSIONS PROGRAM [ARG...]
supp=$1; shift
if ! command -v valgrind >/dev/null 2>&1; then
  echo "valgrind is not installed; skipped"
  exit 77
fi
exec valgrind --tool=memcheck --error-exitcode=1 --leak-check=full \
  --errors-for-leak-kinds=definite --show-leak-kinds=definite \
  --num-callers=30 --suppressions="$supp" "$@"
