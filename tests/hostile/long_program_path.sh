#!/usr/bin/env bash
# A program whose own path is longer than the 260 characters the menu keeps for it ends
# quietly, exit code 0, even with a menu file beside it: the path it would get is cut, so
# it cannot know where it is. Wine starts a program from a long path given as a Linux
# path, which no Windows call here can do.
# Usage: long_program_path.sh PROGRAM.exe
set -euo pipefail
program=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

folder=$work
for part in a b c d e f; do folder=$folder/$(printf "$part%.0s" $(seq 1 50)); done
mkdir -p "$folder"
cp "$program" "$folder/menu.exe"
printf '[0]\r\nTitle=Long path\r\n1=Entry|x.exe|||\r\n' > "$folder/autorun.inf"

# A menu that showed would wait for input: the time-out then fails the test.
status=0
output=$(timeout 30 "$(dirname "$0")/../../scripts/wine-run" "$folder/menu.exe" 2>&1) || status=$?
echo "$output"
echo "exit code $status for a program path of $((${#folder} + 9)) characters"
# Some Wine builds cannot start a program from so long a path at all (64-bit ones here):
# then there is nothing to test, and the test says so (77: skipped).
if [ $status != 0 ] && grep -q 'could not be started' <<<"$output"; then exit 77; fi
exit $status
