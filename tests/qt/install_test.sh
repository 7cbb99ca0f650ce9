#!/usr/bin/env bash
# cmake --install puts the program, its menu entry and its icons where a desktop looks for them.
# usage: install_test.sh BUILD_DIR [CMAKE]
set -euo pipefail
build=$1
cmake=${2:-cmake}
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
fail() {
  echo "FAIL: $*" >&2
  exit 1
}

"$cmake" --install "$build" --prefix "$prefix" >/dev/null
[ -x "$prefix/bin/plexaro" ] || fail "no program in bin"
entry=$prefix/share/applications/plexaro.desktop
[ -f "$entry" ] || fail "no menu entry"
[ -f "$prefix/share/icons/hicolor/scalable/apps/plexaro.svg" ] || fail "no scalable icon"
[ -f "$prefix/share/icons/hicolor/64x64/apps/plexaro.png" ] || fail "no 64x64 icon"
head -n1 "$prefix/share/icons/hicolor/64x64/apps/plexaro.png" | grep -q PNG || fail "the 64x64 icon is no PNG"

# The entry names the installed program and icon.
[ "$(grep -v '^#' "$entry" | sed -n 1p)" = "[Desktop Entry]" ] || fail "the entry has no [Desktop Entry] group first"
for line in "Type=Application" "Name=Plexaro" "Exec=plexaro" "Icon=plexaro" "Terminal=false"; do
  grep -qx "$line" "$entry" || fail "the entry lacks $line"
done
if command -v desktop-file-validate >/dev/null; then
  desktop-file-validate "$entry" || fail "desktop-file-validate rejects the entry"
fi
echo "install: all checks passed"
