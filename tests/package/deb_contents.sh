#!/usr/bin/env bash
# The Debian package as scripts/package makes it: its name, its control fields, and its files
# unpacked into a scratch root (program, program-folder defaults, desktop entry, AppStream
# description and icons), each checked by the tool the desktop itself trusts.
#
#   deb_contents.sh SOURCE_DIR
set -u
src=$1
for tool in dpkg dpkg-deb desktop-file-validate appstreamcli file; do
  command -v $tool >/dev/null || { echo "missing $tool (scripts/deps installs it)" >&2; exit 1; }
done

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

"$src/scripts/package" >"$work/package.log" 2>&1 || { cat "$work/package.log" >&2; fail "scripts/package"; }
deb=$(tail -n1 "$work/package.log")
[ -f "$deb" ] || deb=$src/$deb
[ -f "$deb" ] || fail "scripts/package named no package: $(tail -n3 "$work/package.log")"

id=example.tirelix.Tirelix
field() { dpkg-deb -f "$deb" "$1"; }
version=$(field Version) arch=$(field Architecture)
[ "$(basename "$deb")" = "tirelix_${version}_${arch}.deb" ] || fail "package file named $(basename "$deb")"
[ "$arch" = "$(dpkg --print-architecture)" ] || fail "architecture $arch"
[ "$(field Package)" = tirelix ] || fail "package name $(field Package)"
for f in Maintainer Section Description; do
  [ -n "$(field $f)" ] || fail "no $f field"
done
field Description | grep -q 'taux officiel' || fail "the description has no French paragraph"
depends=$(field Depends)
for lib in libqt6core6 libqt6gui6 libqt6widgets6 libqt6network6 libqt6printsupport6 libgmp10; do
  grep -q -E "(^|, )$lib( |,|$)" <<<"$depends" || fail "Depends lacks $lib: $depends"
done

# Every file, and only those, under /usr.
root=$work/root
dpkg -x "$deb" "$root" || fail "dpkg -x"
modules=usr/lib/$(dpkg-architecture -qDEB_HOST_MULTIARCH)/tirelix
expected=(
  usr/bin/tirelix
  "$modules/libtirelix_network.so"
  "$modules/libtirelix_printing.so"
  usr/share/applications/$id.desktop
  usr/share/metainfo/$id.metainfo.xml
  usr/share/tirelix/MainTacheG.ico
  usr/share/tirelix/Prem.eff
  usr/share/tirelix/Pub.eff
  usr/share/tirelix/Pub1.gif
  usr/share/tirelix/Site.eff
)
for size in 16 32 48 128 256; do
  expected+=("usr/share/icons/hicolor/${size}x${size}/apps/$id.png")
done
diff <(printf '%s\n' "${expected[@]}" | sort) <(cd "$root" && find . ! -type d | sed 's|^\./||' | sort) >&2 ||
  fail "the package's files differ from the list above (< missing, > unexpected)"

file -b "$root/usr/bin/tirelix" | grep -q '^ELF .*executable' ||
  fail "usr/bin/tirelix is not a program: $(file -b "$root/usr/bin/tirelix")"
[ -x "$root/usr/bin/tirelix" ] || fail "usr/bin/tirelix is not executable"
for name in Prem.eff Pub.eff Site.eff; do
  cmp -s "$src/assets/defaults/$name" "$root/usr/share/tirelix/$name" || fail "$name is not the default"
done
for name in Pub1.gif MainTacheG.ico; do
  cmp -s "$src/assets/$name" "$root/usr/share/tirelix/$name" || fail "$name is not the drawn one"
done
for size in 16 32 48 128 256; do
  icon=$root/usr/share/icons/hicolor/${size}x${size}/apps/$id.png
  file -b "$icon" | grep -q "^PNG image data, $size x $size," || fail "icon $size: $(file -b "$icon")"
done

# The desktop entry and the AppStream description, valid, and naming each other and the icon.
desktop=$root/usr/share/applications/$id.desktop
desktop-file-validate "$desktop" >&2 || fail "desktop-file-validate"
value() { sed -n "s/^$1=//p" "$desktop"; }
[ "$(value Exec)" = tirelix ] || fail "Exec=$(value Exec) does not start /usr/bin/tirelix"
[ "$(value Icon)" = "$id" ] || fail "Icon=$(value Icon)"
grep -q '^Name\[fr\]=' "$desktop" && grep -q '^Comment\[fr\]=' "$desktop" ||
  fail "the desktop entry has no French name or comment"
metainfo=$root/usr/share/metainfo/$id.metainfo.xml
appstreamcli validate --no-net "$metainfo" >"$work/appstream.log" 2>&1 ||
  { cat "$work/appstream.log" >&2; fail "appstreamcli validate"; }
grep -q "<id>$id</id>" "$metainfo" || fail "metainfo id"
grep -q "<launchable type=\"desktop-id\">$id.desktop</launchable>" "$metainfo" ||
  fail "metainfo does not launch the desktop entry"
grep -q "<release version=\"$version\"" "$metainfo" || fail "metainfo has no release $version"
echo "ok: $(basename "$deb")"
