#!/usr/bin/env bash
# Reads the built setup program as Windows would load it: a PE32 GUI program
# for i386 with address-space randomisation and no-execute data, importing only
# DLLs that Windows always loads from System32 (its KnownDLLs), with the
# manifest, version information and icon among its resources.
# Usage: check-pe.sh EXE
set -uo pipefail
exe=$1
objdump=${OBJDUMP:-i686-w64-mingw32-objdump}
headers=$("$objdump" -p "$exe") || { echo "cannot read $exe"; exit 1; }
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
pass() { echo "ok: $*"; }

grep -q 'file format pei-i386' <<<"$headers" && pass "PE32 for i386" || fail "not a PE32 i386 image"
grep -qE 'Subsystem\s+00000002' <<<"$headers" && pass "GUI subsystem" || fail "not a GUI program"

dll_chars=$(awk '/DllCharacteristics/{print $2}' <<<"$headers")
(( 0x$dll_chars & 0x40 )) && pass "dynamic base" || fail "no dynamic base (DllCharacteristics $dll_chars)"
(( 0x$dll_chars & 0x100 )) && pass "NX compatible" || fail "not NX compatible (DllCharacteristics $dll_chars)"

known="advapi32 comdlg32 gdi32 gdiplus imagehlp imm32 kernel32 msctf msvcrt normaliz nsi ole32 oleaut32 psapi rpcrt4 sechost setupapi shcore shell32 shlwapi user32 wldap32 wow64 ws2_32"
imports=$(awk '/DLL Name:/{print tolower($3)}' <<<"$headers" | sed 's/\.dll$//' | sort -u)
for dll in $imports; do
  grep -qw "$dll" <<<"$known" && pass "imports $dll.dll (KnownDLL)" || fail "imports $dll.dll, which is not a KnownDLL"
done

resources=$(${WINDRES:-i686-w64-mingw32-windres} -i "$exe" -O rc 2>/dev/null)
grep -qE '^[0-9A-Za-z_]+ 24 ' <<<"$resources" || grep -q 'RT_MANIFEST\|MANIFEST' <<<"$resources" \
  && pass "manifest resource" || fail "no manifest resource"
grep -q 'asInvoker' <<<"$resources" && pass "manifest asks for asInvoker" || fail "manifest lacks asInvoker"
grep -q 'VERSIONINFO' <<<"$resources" && pass "version resource" || fail "no version resource"
grep -qE 'ICON' <<<"$resources" && pass "icon resource" || fail "no icon resource"

[ $failures -eq 0 ]
