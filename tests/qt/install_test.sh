#!/usr/bin/env bash
# cmake --install puts the program, its menu entry, its file type, its icons and its manual pages where a
# desktop and man look for them.
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
for size in 16 32 48 64 128 256; do
  icon=$prefix/share/icons/hicolor/${size}x$size/apps/plexaro.png
  [ -f "$icon" ] || fail "no ${size}x$size icon"
  # The PNG signature, then the IHDR chunk's width and height as 32-bit big-endian numbers.
  [ "$(head -c 8 "$icon" | od -An -tx1 | tr -d ' \n')" = "89504e470d0a1a0a" ] || fail "the ${size}x$size icon is no PNG"
  dimensions=$(od -An -j16 -N8 -tu1 "$icon" | awk '{ print $1 * 16777216 + $2 * 65536 + $3 * 256 + $4 "x" $5 * 16777216 + $6 * 65536 + $7 * 256 + $8 }')
  [ "$dimensions" = "${size}x$size" ] || fail "the ${size}x$size icon is $dimensions"
done

# Pattern files get a type of their own, by name only; move files stay what the desktop calls them.
mime=$prefix/share/mime/packages/plexaro.xml
[ -f "$mime" ] || fail "no MIME package"
grep -q '<mime-type type="application/x-plexaro-pattern">' "$mime" || fail "the MIME package lacks the pattern type"
grep -q '<comment>Cube pattern</comment>' "$mime" || fail "the pattern type has no comment"
grep -q '<glob pattern="\*.q"/>' "$mime" || fail "the pattern type has no *.q glob"
! grep -qi 'mov' "$mime" || fail "the MIME package claims move files"
if command -v update-mime-database >/dev/null; then
  update-mime-database "$prefix/share/mime" >/dev/null 2>&1 || fail "update-mime-database rejects the package"
  grep -q '^application/x-plexaro-pattern:\*\.q$' "$prefix/share/mime/globs" || fail "the built database has no *.q glob"
fi

for page in "$(dirname "$0")"/../../docs/*.1; do
  [ -f "$page" ] || continue
  installed=$prefix/share/man/man1/$(basename "$page")
  [ -f "$installed" ] || fail "no manual page $(basename "$page")"
  cmp -s "$page" "$installed" || fail "the installed $(basename "$page") differs from docs/"
done

# The entry names the installed program and icon.
[ "$(grep -v '^#' "$entry" | sed -n 1p)" = "[Desktop Entry]" ] || fail "the entry has no [Desktop Entry] group first"
for line in "Type=Application" "Name=Plexaro" "Exec=plexaro %f" "Icon=plexaro" "Terminal=false" \
  "MimeType=application/x-plexaro-pattern;"; do
  grep -qx "$line" "$entry" || fail "the entry lacks $line"
done
if command -v desktop-file-validate >/dev/null; then
  desktop-file-validate "$entry" || fail "desktop-file-validate rejects the entry"
fi
echo "install: all checks passed"
