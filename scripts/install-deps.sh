#!/bin/sh
# Installs the Debian 12 packages the build, the tests and the demo need,
# when any is missing (the last lines: the MinGW-w64 compilers and wine of
# the Windows stage, the aarch64, i686 and armhf compilers and qemu of the
# cross stages, and what the Firebird 4 and 5 server trees of the
# compatibility stage run on). Run as root.
set -eu
packages="
  g++ cmake make pkg-config
  clang libclang-rt-14-dev
  googletest libgtest-dev libbenchmark-dev
  firebird3.0-server firebird3.0-server-core firebird3.0-utils firebird-dev libfbclient2 libib-util
  systemd procps util-linux
  dpkg-dev lintian binutils
  libtommath1 libtomcrypt1 libre2-9 libedit2 libicu72 libtinfo6 libgmp10 libbsd0 zlib1g
  valgrind libicu-dev libboost-dev
  g++-mingw-w64-x86-64-posix g++-mingw-w64-i686-posix wine wine64 unzip
  g++-aarch64-linux-gnu g++-i686-linux-gnu g++-arm-linux-gnueabihf qemu-user-static
"
missing=""
for package in $packages; do
  dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" \
    || missing="$missing $package"
done
if [ -n "$missing" ]; then
  echo "Installing:$missing"
  apt-get update -qq
  # shellcheck disable=SC2086
  DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends $missing >/dev/null
fi
