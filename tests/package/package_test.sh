#!/usr/bin/env bash
# The Debian package as a store owner gets it: built by scripts/package
# (lintian clean of errors), its fields and files checked, unpacked into a
# temporary root and run from there: vanta-admin makes the demo store,
# vanta-pos tells its version, and the help and a report layout open from
# the installed files, never from the sources.
#   package_test.sh SOURCE_DIR INSTALLED_FILES_CHECKER
set -euo pipefail
src=$1 checker=$2
fail() { echo "package test: $*" >&2; exit 1; }

deb=$(bash "$src/scripts/package" | tail -n 1)
version=$(sed -n 's/^project(VantaPOS VERSION \([0-9.]*\).*/\1/p' "$src/CMakeLists.txt")
[ "$(basename "$deb")" = "vanta-pos_${version}_$(dpkg --print-architecture).deb" ] || fail "package named $(basename "$deb")"

depends=$(dpkg-deb -f "$deb" Depends)
echo "Depends: $depends"
for lib in libqt6widgets6 libsqlcipher libpq5 libcups2 libcurl4 libc6 qt6-qpa-plugins; do
  grep -q "$lib" <<<"$depends" || fail "no dependency on $lib"
done
! grep -qE -- '-dev\b' <<<"$depends" || fail "a developer package among the dependencies"
# Read whole before matching: grep -q stops early, and the writer's broken
# pipe would fail the pipeline.
grep -q "register of a small shop" <<<"$(dpkg-deb -f "$deb" Description)" || fail "no description for a store owner"

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
dpkg-deb -x "$deb" "$work/root"
usr="$work/root/usr"
for f in bin/vanta-pos bin/vanta-admin share/applications/org.vantapos.VantaPOS.desktop \
         share/metainfo/org.vantapos.VantaPOS.metainfo.xml share/icons/hicolor/scalable/apps/vanta-pos.svg \
         share/icons/hicolor/48x48/apps/vanta-pos.png share/icons/hicolor/256x256/apps/vanta-pos.png \
         share/man/man1/vanta-pos.1.gz share/man/man1/vanta-admin.1.gz share/doc/vanta-pos/copyright \
         share/vanta-pos/help/Point_of_Sale.htm share/vanta-pos/reports/singlesale.rpt; do
  [ -e "$usr/$f" ] || fail "$f is not in the package"
done
desktop-file-validate "$usr/share/applications/org.vantapos.VantaPOS.desktop"
appstreamcli validate --no-net "$usr/share/metainfo/org.vantapos.VantaPOS.metainfo.xml"

# Run from the unpacked tree with a home of its own.
export HOME="$work/home" XDG_CONFIG_HOME="$work/home/.config" XDG_DATA_HOME="$work/home/.local/share"
export QT_QPA_PLATFORM=offscreen
"$usr/bin/vanta-admin" demo "$work/store"
[ -s "$work/store/vanta.mdb" ] || fail "vanta-admin demo made no store"
[ "$("$usr/bin/vanta-pos" --version)" = "vanta-pos $version" ] || fail "vanta-pos --version: $("$usr/bin/vanta-pos" --version)"
cp "$checker" "$usr/bin/"
"$usr/bin/$(basename "$checker")" "$work/root"
echo "package test: $(basename "$deb") installs and runs"
