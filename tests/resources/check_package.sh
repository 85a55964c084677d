#!/usr/bin/env bash
# Builds the Debian package from a build folder and checks its files, control fields, lintian's
# verdict and the hardening of its programs without installing it:  check_package.sh BUILD_DIR
set -euo pipefail
build=$1
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

fail() {
  echo "FAIL: $*" >&2
  exit 1
}

cpack -G DEB --config "$build/CPackConfig.cmake" -B "$scratch" >"$scratch/cpack.log" \
  || { cat "$scratch/cpack.log"; fail "cpack"; }
debs=("$scratch"/tessarin_*.deb)
[ ${#debs[@]} -eq 1 ] && [ -f "${debs[0]}" ] || fail "no tessarin_*.deb"
deb=${debs[0]}

files=$(dpkg-deb -c "$deb" | awk '{print $6}' | sed 's|^\./|/|' | grep -v '/$' | sort)
expected=(
  /usr/bin/tessarin
  /usr/lib/tessarin/libtessarin-window.so
  /usr/share/tessarin/TSRN.HLP
  /usr/share/applications/tessarin.desktop
  /usr/share/mime/packages/tessarin.xml
  /usr/share/metainfo/org.tessarin.Tessarin.metainfo.xml
  /usr/share/man/man1/tessarin.1.gz
  /usr/share/man/ja/man1/tessarin.1.gz
  /usr/share/doc/tessarin/copyright
  /usr/share/doc/tessarin/changelog.gz
  /usr/share/bash-completion/completions/tessarin
)
for size in 16 22 24 32 48 64 128 256; do
  expected+=("/usr/share/icons/hicolor/${size}x${size}/apps/tessarin.png")
done
for file in "${expected[@]}"; do
  grep -qx "$file" <<<"$files" || fail "$file is not in the package"
done
# Nothing else in the program folder: the help document is data, not a program.
[ "$(grep -c '^/usr/bin/' <<<"$files")" -eq 1 ] || fail "more than the program in /usr/bin"

depends=$(dpkg-deb -f "$deb" Depends)
recommends=$(dpkg-deb -f "$deb" Recommends)
for package in libqt6widgets6 libqt6gui6 libqt6core6 libxlsxwriter \
  "fonts-ipafont-gothic | fonts-noto-cjk"; do
  grep -qF "$package" <<<"$depends" || fail "Depends lacks $package: $depends"
done
grep -q qt6-translations-l10n <<<"$recommends" || fail "Recommends lacks qt6-translations-l10n"
[ "$(dpkg-deb -f "$deb" Suggests)" = "libreoffice-calc | gnumeric" ] || fail "Suggests"
[ "$(dpkg-deb -f "$deb" Package)" = tessarin ] || fail "package name"
[ "$(dpkg-deb -f "$deb" Version)" = 1.25 ] || fail "version"

# The unpacked program runs and finds its window library where the package put it.
dpkg-deb -x "$deb" "$scratch/root"
[ "$("$scratch/root/usr/bin/tessarin" --version)" = "Tessarin 1.25" ] || fail "--version"
[ -f "$scratch/root/usr/bin/../lib/tessarin/libtessarin-window.so" ] || fail "window library"
changelog_version=$(zcat "$scratch/root/usr/share/doc/tessarin/changelog.gz" \
  | dpkg-parsechangelog -l - -S Version)
[ "$changelog_version" = 1.25 ] || fail "the changelog's last entry is $changelog_version"

# Debian's hardening, and no search path of its own, in the program and the window library.
for file in usr/bin/tessarin usr/lib/tessarin/libtessarin-window.so; do
  dynamic=$(readelf -dW "$scratch/root/$file")
  ! grep -qE '\((RUNPATH|RPATH)\)' <<<"$dynamic" || fail "$file has a search path"
  grep -qE '\(FLAGS\).*BIND_NOW|\(FLAGS_1\).*NOW' <<<"$dynamic" || fail "$file is not bound at start"
  readelf -lW "$scratch/root/$file" | grep -q GNU_RELRO || fail "$file has no read-only relocations"
  symbols=$(nm -D --undefined-only "$scratch/root/$file")
  grep -q '__stack_chk_fail' <<<"$symbols" || fail "$file has no stack protector"
  grep -qE '__[a-z]+_chk\b' <<<"$symbols" || fail "$file calls no fortified function"
done

# Lintian finds no error and warns only of the ldconfig call CPack's maintainer scripts make for
# any library below /usr/lib, the private window library included.
lintian --fail-on error,warning --suppress-tags maintscript-calls-ldconfig "$deb" \
  || fail "lintian"
echo "ok: $(basename "$deb")"
