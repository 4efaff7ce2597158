#!/usr/bin/env bash
# The medium checker for authors, i686 build under WoW64, reads a medium as the x86_64 build
# does: the same report line for line and the same exit code. The medium is the sample one
# with a JPEG picture to decode and a sparse 5 GiB payload file, so that sizes past 32 bits
# are added up. A report must come at all: a 32-bit program that Wine cannot start prints
# nothing and exits 0. Argument: a folder for the medium (made afresh).
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
medium=$1
"$root/scripts/make-medium" win32 "$medium" >/dev/null
cp "$root/assets/sample-background.jpg" "$medium/back.jpg"
sed -i '8s/^\r$/back.jpg\r/' "$medium/REG.CFG"
truncate -s 5G "$medium/Payload/large.bin"

report() {
  "$root/scripts/wine-run" "$root/build/$1/bin/medium_check.exe" "Z:${medium//\//\\}" || echo "exit code $?"
}
report32=$(report win32)
report64=$(report win64)
printf '%s\n' "$report32"
total=$(sed -n 's/^note: the payload holds .*, \([0-9]*\) bytes in all.*/\1/p' <<<"$report32")
if [ "${total:-0}" -le $((5 << 30)) ]; then
  echo "the 32-bit checker gave no payload size past 5 GiB" >&2
  exit 1
fi
if [ "$report32" != "$report64" ]; then
  echo "the x86_64 checker reports otherwise:" >&2
  diff <(printf '%s\n' "$report64") <(printf '%s\n' "$report32") >&2
  exit 1
fi
