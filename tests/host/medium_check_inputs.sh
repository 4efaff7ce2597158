#!/bin/sh
# The medium checker on media whose bytes are hostile: each run must end within its time,
# exit 1 and report the fault. Arguments: the checker program and a scratch folder.
set -u
checker=$1
scratch=$2
rm -rf "$scratch" && mkdir -p "$scratch" || exit 2
failed=0
# run NAME PATTERN: the checker on $scratch/NAME, which must end in 20 s with exit 1 and
# print a line matching PATTERN.
run() {
  timeout 20 "$checker" "$scratch/$1" >"$scratch/$1.out" 2>&1
  code=$?
  if [ $code -ne 1 ]; then echo "$1: exit code $code, expected 1"; failed=1; fi
  if ! grep -a -q -e "$2" "$scratch/$1.out"; then echo "$1: no line matching '$2'"; failed=1; fi
}

# A SourceFolder that is a NUL byte: every path below it would resolve to the medium's root.
mkdir "$scratch/nul" "$scratch/nul/Daftar"
printf 'T1\r\nT2\r\n\000\r\nDaftar\r\nDaftar\r\nDaftar\r\nOrg\r\n\r\n\r\n\r\n' >"$scratch/nul/REG.CFG"
run nul "line 3 (SourceFolder) holds the control byte 0x00"

# REG.CFG saved as UTF-16: NUL bytes everywhere.
mkdir "$scratch/utf16" "$scratch/utf16/Payload"
printf 'T\000\r\000\n\000T\000\r\000\n\000P\000a\000y\000l\000o\000a\000d\000\r\000\n\000' \
  >"$scratch/utf16/REG.CFG"
run utf16 "holds the control byte 0x00"

# Two links in the payload that lead back to it: passed over, not followed.
mkdir -p "$scratch/loops/Payload/Sub"
printf 'T1\r\nT2\r\nPayload\r\nDaftar\r\nDaftar\r\nDaftar\r\nOrg\r\n\r\n\r\n\r\n' >"$scratch/loops/REG.CFG"
printf 'MZ' >"$scratch/loops/Payload/Daftar.dat"
ln -s .. "$scratch/loops/Payload/Sub/Up"
ln -s ../Payload "$scratch/loops/Payload/Again"
run loops 'passes over the linked folder "Payload\\Sub\\Up"'
grep -q 'passes over the linked folder "Payload\\Again"' "$scratch/loops.out" ||
  { echo "loops: the second link is not reported"; failed=1; }

# A finding that holds a NUL byte is printed whole, up to its end.
mkdir "$scratch/nulname" "$scratch/nulname/Payload"
printf 'T1\r\nT2\r\nPayload\r\nDaftar\r\nDaf\000tar\r\nDaftar\r\nOrg\r\n\r\n\r\n\r\n' \
  >"$scratch/nulname/REG.CFG"
run nulname 'tar" is not a plain file name'

[ $failed -eq 0 ] && rm -rf "$scratch"
exit $failed
