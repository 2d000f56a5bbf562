#!/usr/bin/env bash
# Checks the product: build/win32/vellaro.exe is a PE32 GUI program for i386
# that imports only Windows' own DLLs (the C++ runtime is linked in).
set -u
root=$(cd "$(dirname "$0")/.." && pwd)
exe=$root/build/win32/vellaro.exe
headers=$(i686-w64-mingw32-objdump -p "$exe" 2>&1) || { echo "product: cannot read $exe" >&2; exit 1; }
fail() { echo "product check failed: $*" >&2; exit 1; }
grep -q 'file format pei-i386' <<<"$headers" || fail "$exe is not a PE32 i386 image"
grep -Eq '^Subsystem[[:space:]]+00000002' <<<"$headers" || fail "$exe is not a GUI program"
system_dlls='^(kernel32|user32|gdi32|comctl32|comdlg32|shell32|ole32|oleaut32|advapi32|shlwapi|msvcrt|version)\.dll$'
imports=$(sed -n 's/^[[:space:]]*DLL Name: //p' <<<"$headers")
[ -n "$imports" ] || fail "$exe imports nothing"
others=$(tr 'A-Z' 'a-z' <<<"$imports" | grep -Ev "$system_dlls" || true)
[ -z "$others" ] || fail "$exe imports DLLs that are not Windows' own: $others"
echo "product: $exe is a PE32 i386 GUI program importing only $(tr '\n' ' ' <<<"$imports")"
