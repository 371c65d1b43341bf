#!/usr/bin/env bash
# Builds the Debian package from a build folder (default: build) and checks it as a user's
# machine would see it: the software-centre description and the menu entry pass their
# validators, the package holds what it promises, and the programs unpacked into a scratch
# folder run and find their modules there (not the build's).
# Prints "package checks: N passed" at the end; any failed check stops it with status 1.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
checks=0

fail() {
  echo "package check failed: $*" >&2
  exit 1
}
pass() {
  checks=$((checks + 1))
  echo "ok - $*"
}

rm -rf "$build/package"
cpack --config "$build/CPackConfig.cmake" -G DEB -B "$build/package" >"$build/cpack.log" 2>&1 ||
  { cat "$build/cpack.log"; fail "cpack -G DEB"; }
shopt -s nullglob
debs=("$build"/package/renoquote_*_*.deb)
[ ${#debs[@]} -eq 1 ] || fail "expected one renoquote_VERSION_ARCH.deb in $build/package, found ${#debs[@]}"
deb=${debs[0]}
version=$(dpkg-deb -f "$deb" Version)
[ "$(basename "$deb")" = "renoquote_${version}_$(dpkg --print-architecture).deb" ] || fail "package name $(basename "$deb")"
pass "cpack built $(basename "$deb")"

depends=$(dpkg-deb -f "$deb" Depends)
for library in libc6 libqt6widgets6 libxlsxwriter libcurl4; do
  [[ $depends == *"$library"* ]] || fail "Depends lacks $library: $depends"
done
pass "dependencies worked out from the libraries: $depends"

# Outside the build tree: a program under it would take the build's modules.
scratch=$(mktemp -d /tmp/renoquote-package.XXXXXX)
trap 'rm -rf "$scratch"' EXIT
dpkg-deb -x "$deb" "$scratch"
usr=$scratch/usr
# lib/renoquote, or lib/<triplet>/renoquote when the build was configured for the prefix /usr.
xlsx=$(find "$usr/lib" -name librenoquote_xlsx.so | head -n 1)
[ -n "$xlsx" ] || fail "the package lacks the spreadsheet module"
modules=$(dirname "$xlsx")
for file in bin/renoquote bin/renoquote-cli \
    "${modules#"$usr/"}/librenoquote_pdf.so" "${modules#"$usr/"}/librenoquote_print.so" \
    share/icons/hicolor/scalable/apps/renoquote.svg share/mime/packages/renoquote.xml \
    share/man/man1/renoquote.1.gz share/man/man1/renoquote-cli.1.gz share/doc/renoquote/copyright; do
  [ -s "$usr/$file" ] || fail "the package lacks usr/$file"
done
for size in 48 128 256; do
  picture=$usr/share/icons/hicolor/${size}x${size}/apps/renoquote.png
  file -b "$picture" | grep -q "PNG image data, $size x $size" || fail "$picture is not a $size px PNG"
done
pass "programs, modules, icons, file type and manual pages in place"

metainfo=("$usr"/share/metainfo/*.metainfo.xml)
desktop=("$usr"/share/applications/*.desktop)
[ ${#metainfo[@]} -eq 1 ] && [ ${#desktop[@]} -eq 1 ] || fail "expected one metainfo file and one desktop entry"
appstreamcli validate --no-net "${metainfo[0]}" || fail "appstreamcli validate"
pass "appstreamcli validate --no-net"
desktop-file-validate "${desktop[0]}" || fail "desktop-file-validate"
pass "desktop-file-validate"
id=$(sed -n 's|.*<id>\(.*\)</id>.*|\1|p' "${metainfo[0]}")
[ "$(basename "${desktop[0]}")" = "$id.desktop" ] || fail "desktop entry $(basename "${desktop[0]}") is not named by the id $id"
grep -q "<launchable type=\"desktop-id\">$id.desktop</launchable>" "${metainfo[0]}" || fail "launchable is not $id.desktop"
release=$(grep -o '<release version="[^"]*"' "${metainfo[0]}" | head -n 1 | cut -d'"' -f2)
[ "$release" = "$version" ] || fail "newest release in the metainfo is $release, the package is $version"
pass "id $id names the desktop entry and the launchable; newest release $release"

# The programs from the scratch folder: version, and a quote whose outputs need modules.
[ "$("$usr/bin/renoquote-cli" --version)" = "renoquote-cli $version" ] || fail "renoquote-cli --version"
[ "$(env -u DISPLAY -u WAYLAND_DISPLAY "$usr/bin/renoquote" --version)" = "renoquote $version" ] || fail "renoquote --version"
pass "renoquote-cli --version and renoquote --version say $version"
rooms=$scratch/rooms.tsv
printf '客厅\t4500*3600*2800\t1500*1500\t(无)\t0\t4\n厨房\t2400*1800*2800\t800*1500\t推拉门\t1\t4\n' >"$rooms"
"$usr/bin/renoquote-cli" quote --output "$scratch/quote.xlsx" "$rooms" || fail "quote to .xlsx"
"$usr/bin/renoquote-cli" quote --package full --output "$scratch/quote.pdf" "$rooms" || fail "quote to .pdf"
file -b "$scratch/quote.xlsx" | grep -Eq 'Zip|Excel|OOXML' || fail "quote.xlsx is $(file -b "$scratch/quote.xlsx")"
file -b "$scratch/quote.pdf" | grep -q '^PDF document' || fail "quote.pdf is $(file -b "$scratch/quote.pdf")"
# And they are the package's modules: without them the same run says where it looked.
mv "$modules" "$modules.away"
if "$usr/bin/renoquote-cli" quote --output "$scratch/again.xlsx" "$rooms" 2>"$scratch/err"; then
  fail "a quote to .xlsx succeeded without the package's modules"
fi
grep -qF "$modules/" "$scratch/err" || fail "without its modules the run did not name $modules: $(cat "$scratch/err")"
mv "$modules.away" "$modules"
pass "a quote from the unpacked package writes .xlsx and .pdf through its own modules"

echo "package checks: $checks passed"
