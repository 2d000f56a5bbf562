#!/usr/bin/env bash
# Checks the product: a large-address-aware PE32 GUI program for i386 that
# imports only Windows' own DLLs (the C++ runtime is linked in), carries no
# link time (the same sources give the same program), and whose version
# resource names the
# product with the version that its About box and its manifest show and the
# copyright line of LICENSE.
#   scripts/check-product.sh [PROGRAM]    (build/win32/vellaro.exe by default)
set -u
root=$(cd "$(dirname "$0")/.." && pwd)
exe=${1:-$root/build/win32/vellaro.exe}
headers=$(TZ=UTC i686-w64-mingw32-objdump -p "$exe" 2>&1) || { echo "product: cannot read $exe" >&2; exit 1; }
fail() { echo "product check failed: $*" >&2; exit 1; }
grep -q 'file format pei-i386' <<<"$headers" || fail "$exe is not a PE32 i386 image"
grep -Eq '^Subsystem[[:space:]]+00000002' <<<"$headers" || fail "$exe is not a GUI program"
grep -Eq '^Time/Date[[:space:]]+Thu Jan  1 00:00:00 1970' <<<"$headers" || fail "$exe holds its link time"
grep -q 'large address aware' <<<"$headers" || fail "$exe is not large-address-aware"
system_dlls='^(kernel32|user32|gdi32|comctl32|comdlg32|shell32|ole32|oleaut32|advapi32|shlwapi|msvcrt|version)\.dll$'
imports=$(sed -n 's/^[[:space:]]*DLL Name: //p' <<<"$headers")
[ -n "$imports" ] || fail "$exe imports nothing"
others=$(tr 'A-Z' 'a-z' <<<"$imports" | grep -Ev "$system_dlls" || true)
[ -z "$others" ] || fail "$exe imports DLLs that are not Windows' own: $others"

# The resources as windres writes them back as a script.
resources=$(i686-w64-mingw32-windres -i "$exe" -O rc 2>&1) || fail "cannot read the resources of $exe"
value() {  # value NAME: a string of the version resource (ASCII ones)
  sed -n "s/^[[:space:]]*VALUE \"$1\", L\{0,1\}\"\(.*\)\"\$/\1/p" <<<"$resources" | head -n 1
}
numbers() {  # numbers FILEVERSION|PRODUCTVERSION: the four numbers, as a.b.c.d
  sed -n "s/^[[:space:]]*$1 \([0-9]*\), \([0-9]*\), \([0-9]*\), \([0-9]*\)\$/\1.\2.\3.\4/p" <<<"$resources"
}
version=$(numbers FILEVERSION)
[ -n "$version" ] || fail "$exe has no version resource"
[ "$(numbers PRODUCTVERSION)" = "$version" ] || fail "product version $(numbers PRODUCTVERSION) is not $version"
for name in FileVersion ProductVersion; do
  [ "$(value $name)" = "$version" ] || fail "$name reads '$(value $name)', not $version"
done
[ "$(value ProductName)" = Vellaro ] || fail "product name '$(value ProductName)' is not Vellaro"
[ -n "$(value FileDescription)" ] || fail "no file description"
copyright=$(grep -m 1 '^Copyright' "$root/LICENSE")
[ "$(value LegalCopyright)" = "$copyright" ] || fail "copyright '$(value LegalCopyright)' is not LICENSE's '$copyright'"
IFS=. read -r major minor patch build <<<"$version"
about="Vellaro Version $major.$minor$patch"
[ "$build" = 0 ] && grep -Fq "\"$about\"" <<<"$resources" || fail "the About box does not read '$about'"
grep -Fq "name=\"\"Vellaro\"\" version=\"\"$version\"\"" <<<"$resources" || fail "the manifest's version is not $version"

echo "product: $exe is a PE32 i386 GUI program importing only $(tr '\n' ' ' <<<"$imports")"
echo "product: version $version, About box '$about', $copyright"
