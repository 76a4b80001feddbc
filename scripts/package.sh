#!/bin/sh
# Builds the Debian package from a Release build:
#   BUILD_DIR/udfzel_<version>_<arch>.deb and udfzel-dbgsym_<version>_<arch>.ddeb
#
#   package.sh [BUILD_DIR]          for this machine's architecture
#   package.sh BUILD_DIR SYSROOT    for the cross build configured in BUILD_DIR
#                                   (arm64, i386, armhf): Depends comes from
#                                   the target's packages unpacked in SYSROOT
#                                   (scripts/make-sysroot.sh), which
#                                   this machine's dpkg database does not hold
set -eu
cd "$(dirname "$0")/.."
build=${1:-build}
sysroot=${2:-}
scripts/install-deps.sh
[ -n "$sysroot" ] || cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$build" -j"$(nproc)" --target udfzel udfzel_udr udfzel-locale udfzel_changelog
rm -f "$build"/udfzel_*.deb "$build"/udfzel-dbgsym_*.ddeb
if [ -z "$sysroot" ]; then
  (cd "$build" && cpack -G DEB >/dev/null)
else
  # dpkg-shlibdeps over the files as installed, the target's libraries found
  # in SYSROOT and their versions read from its symbols and shlibs files.
  arch=$(sed -n 's/^set(CPACK_DEBIAN_PACKAGE_ARCHITECTURE "\(.*\)")$/\1/p' "$build/CPackConfig.cmake")
  work=$PWD/$build/shlibdeps
  rm -rf "$work"
  mkdir -p "$work/debian" "$work/udfzel/DEBIAN"
  printf 'Source: udfzel\n\nPackage: udfzel\nArchitecture: %s\n' "$arch" >"$work/debian/control"
  DESTDIR="$work/udfzel" cmake --install "$build" --prefix /usr --strip >/dev/null
  depends=$(cd "$work" && DEB_HOST_ARCH=$arch dpkg-shlibdeps -O -S"$sysroot" \
    $(find udfzel -type f \( -name '*.so' -o -path '*/bin/*' \)) | sed -n 's/^shlibs:Depends=//p')
  [ -n "$depends" ] || { echo "no Depends found for $arch" >&2; exit 1; }
  (cd "$build" && cpack -G DEB -D CPACK_DEBIAN_PACKAGE_SHLIBDEPS=OFF \
    -D "CPACK_DEBIAN_PACKAGE_DEPENDS=$depends" >/dev/null)
fi
ls "$build"/udfzel_*.deb "$build"/udfzel-dbgsym_*.ddeb
