#!/usr/bin/env bash
# Tamberlock set-up for a fresh Debian 12 machine.
#   bash setup.sh run    install what is missing, build, start Tamberlock
#   bash setup.sh test   install what is missing, build, run the whole test suite
#   bash setup.sh sanitize   the test suite built with AddressSanitizer and UBSan
set -euo pipefail

here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
build="${TAMBERLOCK_BUILD_DIR:-$here/build}"
mode="${1:-run}"

packages=(cmake make g++ pkg-config qt6-base-dev qt6-base-dev-tools libqt6sql6-sqlite libgl-dev
          libbenchmark-dev)
# The test suite also runs the fuzz targets for a short while.
if [ "$mode" != run ]; then packages+=(clang libfuzzer-14-dev libclang-rt-14-dev); fi

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ "${#missing[@]}" -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  if [ "$(id -u)" -eq 0 ]; then sudo=(); else sudo=(sudo); fi
  "${sudo[@]}" apt-get update -qq
  DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

if [ "$mode" = sanitize ]; then
  build="$build-asan"
  cmake -S "$here" -B "$build" -DCMAKE_BUILD_TYPE=Debug -DTAMBERLOCK_SANITIZE=ON -DTAMBERLOCK_BUILD_BENCH=OFF >/dev/null
else
  cmake -S "$here" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
fi
cmake --build "$build" -j2

case "$mode" in
  run)
    # The build placed an empty Tamberlock.mdb beside the program if none was there.
    exec "$build/src/Tamberlock"
    ;;
  test)
    (cd "$build" && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j2 </dev/null)
    TAMBERLOCK_FUZZ_BUILD_DIR="$build-fuzz" bash "$here/fuzz/run.sh" "${TAMBERLOCK_FUZZ_SECONDS:-10}"
    ;;
  sanitize)
    cd "$build"
    QT_QPA_PLATFORM=offscreen ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1 \
      ctest --output-on-failure -j2 </dev/null
    ;;
  *)
    echo "usage: bash setup.sh run|test|sanitize" >&2
    exit 2
    ;;
esac
