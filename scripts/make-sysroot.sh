#!/bin/sh
# Debian's packages of another architecture (arm64, i386, armhf) unpacked,
# not installed (installing them beside the amd64 ones would replace the
# amd64 Firebird's), into one folder: the libraries and headers a cross
# build links against, and that architecture's Firebird 3 (embedded engine
# and server) its tests run in under qemu.
# DIR/DEBIAN holds the libraries' symbols and shlibs files, so that
# dpkg-shlibdeps -SDIR computes a package's Depends from them.
#   scripts/make-sysroot.sh ARCH DIR
# Adds ARCH to dpkg's list of architectures (for its package index) only
# where it is missing, and says so; changes nothing else on the machine.
set -eu
arch=$1
dir=$2
packages="libc6 libgcc-s1 libstdc++6 libicu72 libicu-dev firebird-dev libfbclient2 libib-util
  firebird3.0-server-core firebird3.0-server firebird3.0-utils libtommath1 libtomcrypt1 libedit2 libtinfo6
  libncursesw6 libgmp10 libbsd0 libmd0 zlib1g libgtest-dev libgmock-dev libbenchmark-dev
  libbenchmark1debian"
wanted="$arch: $(echo $packages)"
[ "$(cat "$dir/.packages" 2>/dev/null)" = "$wanted" ] && exit 0
[ -d /usr/include/boost/preprocessor ] || { echo "Boost.Preprocessor (libboost-dev) is missing" >&2; exit 1; }

if ! dpkg --print-foreign-architectures | grep -qx "$arch"; then
  echo "   adding the $arch architecture to dpkg's list (dpkg --add-architecture $arch)"
  dpkg --add-architecture "$arch"
  apt-get update -q >/dev/null
fi
rm -rf "$dir"
mkdir -p "$dir/debs"
(cd "$dir/debs" && apt-get download -q $(for p in $packages; do echo "$p:$arch"; done) \
  firebird3.0-common >/dev/null)
mkdir -p "$dir/DEBIAN"
for deb in "$dir"/debs/*.deb; do
  dpkg-deb -x "$deb" "$dir"
  for file in symbols shlibs; do
    dpkg-deb --info "$deb" $file >>"$dir/DEBIAN/$file" 2>/dev/null || true
  done
done
# Boost.Preprocessor is headers alone, the same on every CPU: the host's.
mkdir -p "$dir/usr/include/boost"
ln -s /usr/include/boost/preprocessor "$dir/usr/include/boost/preprocessor"
echo "$wanted" >"$dir/.packages"
