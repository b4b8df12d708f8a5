#!/usr/bin/env bash
# The Debian package: cpack writes torvex_VERSION_amd64.deb with the
# program and its compressed manual page; its control fields are filled in
# (library dependencies computed); unpacked into a scratch folder, the
# program in it checks an example deck as the built one does.
# Usage: debian_package.sh BUILD_DIR SOURCE_DIR VERSION PROGRAM
set -u
build=$1 source=$2 version=$3 program=$4
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
failed=0
(cd "$build" && cpack -G DEB -B "$scratch/out" > "$scratch/cpack.log" 2>&1) ||
  { cat "$scratch/cpack.log"; exit 1; }
architecture=$(dpkg --print-architecture)
deb="$scratch/out/torvex_${version}_${architecture}.deb"
[ -f "$deb" ] || { echo "no $deb:"; ls "$scratch/out"; exit 1; }
for field in Maintainer Description Section Depends Version; do
  value=$(dpkg-deb -f "$deb" "$field")
  [ -n "$value" ] || { echo "control field $field is empty"; failed=1; }
done
dpkg-deb -f "$deb" Depends | grep -q libc6 ||
  { echo "Depends lacks libc6: $(dpkg-deb -f "$deb" Depends)"; failed=1; }
[ "$(dpkg-deb -f "$deb" Version)" = "$version" ] || { echo "Version differs"; failed=1; }
dpkg-deb -x "$deb" "$scratch/root"
for file in usr/bin/torvex usr/share/man/man1/torvex.1.gz; do
  [ -f "$scratch/root/$file" ] || { echo "the package lacks $file"; failed=1; }
done
gzip -t "$scratch/root/usr/share/man/man1/torvex.1.gz" || failed=1
cd "$source" || exit 1
"$scratch/root/usr/bin/torvex" --type frf examples/frf_bracket.nas > "$scratch/packaged"
status=$?
"$program" --type frf examples/frf_bracket.nas > "$scratch/built"
[ "$status" = 0 ] || { echo "the packaged program exited $status"; failed=1; }
cmp -s "$scratch/packaged" "$scratch/built" || { echo "the packaged program wrote another report"; failed=1; }
"$scratch/root/usr/bin/torvex" --version | grep -qx "torvex $version" ||
  { echo "--version is not torvex $version"; failed=1; }
exit $failed
