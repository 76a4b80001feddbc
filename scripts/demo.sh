#!/bin/sh
# Builds udfzel and runs the showcase in Firebird's embedded engine, both
# faces (legacy external functions and the UDR module), once under the
# fallback locale and once under Brazilian Portuguese; then under Russian and
# Japanese, declared in their code pages' character sets.
set -eu
cd "$(dirname "$0")/.."
scripts/install-deps.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build -j"$(nproc)" --target udfzel_demo udfzel udfzel_udr udfzel-locale
for locale in C pt_BR.UTF-8 ru_RU.UTF-8 ja_JP.UTF-8; do
  echo
  echo "######## LANG=$locale ########"
  LC_ALL= LANG=$locale build/udfzel_demo
done
echo
echo "######## What the library loads under LANG=pt_BR.UTF-8 (build/udfzel-locale) ########"
LC_ALL= LANG=pt_BR.UTF-8 build/udfzel-locale
