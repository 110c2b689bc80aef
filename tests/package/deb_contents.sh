#!/usr/bin/env bash
# The Debian package as scripts/package makes it: its name, its control fields, and its files
# unpacked into a scratch root (program, program-folder defaults, desktop entry, AppStream
# description, icons, manual page and documents), each checked by the tool the desktop itself
# trusts, and one version throughout; then lintian --pedantic, where it is installed: no error
# and no warning (information and pedantic notes are fine).
#
#   deb_contents.sh SOURCE_DIR
set -u
src=$1
fail() { echo "FAIL: $*" >&2; exit 1; }
for tool in dpkg dpkg-deb desktop-file-validate appstreamcli file man; do
  command -v $tool >/dev/null || fail "missing $tool (scripts/deps installs it)"
done
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

"$src/scripts/package" >"$work/package.log" 2>&1 || fail "scripts/package: $(cat "$work/package.log")"
deb=$(tail -n1 "$work/package.log")
[ -f "$deb" ] || deb=$src/$deb
[ -f "$deb" ] || fail "scripts/package named no package: $(tail -n3 "$work/package.log")"

id=example.tirelix.Tirelix
field() { dpkg-deb -f "$deb" "$1"; }
version=$(field Version) arch=$(field Architecture) upstream=${version%-*}
[ "$(basename "$deb")" = "tirelix_${version}_${arch}.deb" ] && [ "$(field Package)" = tirelix ] &&
  [ "$arch" = "$(dpkg --print-architecture)" ] || fail "package $(basename "$deb") of $(field Package)"
for f in Maintainer Section Description; do
  [ -n "$(field $f)" ] || fail "no $f field"
done
field Description | grep -q 'taux officiel' || fail "the description has no French paragraph"
for lib in libqt6core6 libqt6gui6 libqt6widgets6 libqt6network6 libqt6printsupport6 libgmp10; do
  # Debian 13 names some of them with a t64 suffix (64-bit time).
  grep -q -E "(^|, )$lib(t64)?( |,|$)" <<<"$(field Depends)" || fail "Depends lacks $lib: $(field Depends)"
done

# Every file, and only those, under /usr, each what it should be.
root=$work/root
dpkg -x "$deb" "$root" || fail "dpkg -x"
modules=usr/lib/$(dpkg-architecture -qDEB_HOST_MULTIARCH)/tirelix
expected=("$modules/libtirelix_network.so" "$modules/libtirelix_printing.so"
  usr/share/applications/$id.desktop usr/share/metainfo/$id.metainfo.xml
  usr/share/doc/tirelix/copyright usr/share/lintian/overrides/tirelix)
check() { expected+=("$1"); file -b "$root/$1" | grep -q "^$2" || fail "$1: $(file -b "$root/$1")"; }
check usr/bin/tirelix 'ELF .*executable'
[ -x "$root/usr/bin/tirelix" ] || fail "usr/bin/tirelix is not executable"
# gzip -9n: no file name or time inside.
check usr/share/man/man1/tirelix.1.gz 'gzip compressed data, max compression, from Unix'
check usr/share/doc/tirelix/changelog.Debian.gz 'gzip compressed data, max compression, from Unix'
for size in 16 32 48 128 256; do
  check "usr/share/icons/hicolor/${size}x${size}/apps/$id.png" "PNG image data, $size x $size,"
done
for name in defaults/Prem.eff defaults/Pub.eff defaults/Site.eff Pub1.gif MainTacheG.ico; do
  expected+=("usr/share/tirelix/${name#defaults/}")
  cmp -s "$src/assets/$name" "$root/${expected[-1]}" || fail "${expected[-1]} is not $name"
done
diff <(printf '%s\n' "${expected[@]}" | sort) <(cd "$root" && find . ! -type d | sed 's|^\./||' | sort) >&2 ||
  fail "the package's files differ from the list above (< missing, > unexpected)"

# The one version: the program's, the manual page's, the changelog's, the AppStream release's.
[ "$("$root/usr/bin/tirelix" --version)" = "Tirelix $upstream" ] || fail "tirelix --version"
zcat "$root/usr/share/man/man1/tirelix.1.gz" | grep -q "^\.TH TIRELIX 1 .*\"Tirelix $upstream\"" ||
  fail "the manual page is not of $upstream"
zcat "$root/usr/share/doc/tirelix/changelog.Debian.gz" | grep -q "^tirelix ($version) " ||
  fail "the changelog's last entry is not $version"
man --warnings -E UTF-8 -l -Tutf8 -Z "$root/usr/share/man/man1/tirelix.1.gz" 2>&1 >/dev/null |
  grep . >&2 && fail "groff's warnings on the manual page (above)"

# The desktop entry and the AppStream description, valid, and naming each other and the icon.
desktop=$root/usr/share/applications/$id.desktop
desktop-file-validate "$desktop" >&2 || fail "desktop-file-validate"
grep -q -x "Exec=tirelix" "$desktop" && grep -q -x "Icon=$id" "$desktop" ||
  fail "the desktop entry does not start /usr/bin/tirelix with its icon"
grep -q '^Name\[fr\]=' "$desktop" && grep -q '^Comment\[fr\]=' "$desktop" ||
  fail "the desktop entry has no French name or comment"
metainfo=$root/usr/share/metainfo/$id.metainfo.xml
appstreamcli validate --pedantic --no-net "$metainfo" >"$work/appstream.log" 2>&1 ||
  fail "appstreamcli validate: $(cat "$work/appstream.log")"
for line in "<id>$id</id>" "<launchable type=\"desktop-id\">$id.desktop</launchable>" \
  "<release version=\"$upstream\"" "<project_license>GPL-3.0-or-later</project_license>" \
  "<developer id=\"" "<image>https://"; do
  grep -q "$line" "$metainfo" || fail "metainfo lacks $line"
done
if command -v lintian >/dev/null; then lintian --pedantic --fail-on error,warning "$deb" >&2 || fail lintian
else echo "lintian is not installed (apt-get install lintian): its check is skipped"; fi
echo "ok: $(basename "$deb")"
