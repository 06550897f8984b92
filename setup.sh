#!/usr/bin/env bash
# Tamberlock set-up for a fresh Debian 12 machine.
#   bash setup.sh run        install what is missing, build Tamberlock, install it for you, start it
#   bash setup.sh test       install what is missing, build everything, run the whole test suite
#   bash setup.sh sanitize   the test suite built with AddressSanitizer and UBSan
set -euo pipefail

here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
build="${TAMBERLOCK_BUILD_DIR:-$here/build}"
mode="${1:-run}"
case "$mode" in
  run | test | sanitize) ;;
  *)
    echo "usage: bash setup.sh run|test|sanitize" >&2
    exit 2
    ;;
esac
[ "$mode" = sanitize ] && build="$build-asan"
started=$SECONDS

# The Debian packages, in one place: what every mode needs, and what the tests
# add (benchmarks, fuzzing, the installed-files checks, the program driven
# under a window manager).
packages=(cmake make g++ pkg-config qt6-base-dev qt6-base-dev-tools libqt6sql6-sqlite libgl-dev
          libsqlite3-dev libxss-dev)
test_packages=(libbenchmark-dev poppler-utils clang libfuzzer-14-dev libclang-rt-14-dev
               xvfb openbox xdotool x11-utils desktop-file-utils appstream trayer sqlite3)
[ "$mode" != run ] && packages+=("${test_packages[@]}")

stage() { printf '%-9s %s\n' "$1" "$2"; }
fail() {
  echo "$1" >&2
  if [ "${2:-}" = log ]; then
    echo "The last lines of $log:" >&2
    tail -n 25 "$log" >&2
  fi
  exit 1
}

# apt, dpkg and the compiler talk to this log; the terminal gets one line per stage.
log="$build/setup.log"
log_started=""
start_log() {
  [ -n "$log_started" ] && return
  { mkdir -p "$build" && : >"$log"; } 2>/dev/null || fail "Cannot write the build folder $build."
  log_started=1
}

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ "${#missing[@]}" -gt 0 ]; then
  if [ "$(id -u)" -eq 0 ]; then
    sudo=()
  elif command -v sudo >/dev/null 2>&1; then
    sudo=(sudo)
  else
    echo "Tamberlock needs these Debian packages, and installing them takes root. Run this as root," >&2
    echo "then run bash setup.sh $mode again:" >&2
    echo "  su -c 'apt-get update && apt-get install -y --no-install-recommends ${missing[*]}'" >&2
    exit 1
  fi
  start_log
  stage packages "installing ${#missing[@]} missing Debian packages (log: $log)"
  { "${sudo[@]}" apt-get update -q &&
      DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -q --no-install-recommends "${missing[@]}"; } \
    >>"$log" 2>&1 </dev/null || fail "Installing the Debian packages failed." log
fi

cmake_args=()
command -v ccache >/dev/null 2>&1 && cmake_args+=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
data_home="${XDG_DATA_HOME:-$HOME/.local/share}"
case "$mode" in
  run)
    # Only what the program needs; the install goes to the user's own folders.
    cmake_args+=(-DCMAKE_BUILD_TYPE=RelWithDebInfo -DTAMBERLOCK_BUILD_TESTS=OFF -DTAMBERLOCK_BUILD_BENCH=OFF
                 "-DCMAKE_INSTALL_PREFIX=$HOME/.local" "-DCMAKE_INSTALL_DATADIR=$data_home")
    ;;
  # The install test installs into a folder of its own: keep the install
  # folders relative to whatever prefix it gives.
  test)
    cmake_args+=(-DCMAKE_BUILD_TYPE=RelWithDebInfo -DTAMBERLOCK_BUILD_TESTS=ON -DTAMBERLOCK_BUILD_BENCH=ON
                 -DCMAKE_INSTALL_DATADIR=share)
    ;;
  sanitize)
    cmake_args+=(-DCMAKE_BUILD_TYPE=Debug -DTAMBERLOCK_SANITIZE=ON -DTAMBERLOCK_BUILD_TESTS=ON
                 -DTAMBERLOCK_BUILD_BENCH=OFF -DCMAKE_INSTALL_DATADIR=share)
    ;;
esac
start_log
stage build "compiling in $build (log: $log)"
{ cmake -S "$here" -B "$build" "${cmake_args[@]}" && cmake --build "$build" -j2; } >>"$log" 2>&1 </dev/null ||
  fail "The build failed." log

case "$mode" in
  test)
    stage tests "running the test suite"
    (cd "$build" && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j2 </dev/null)
    stage fuzz "running each fuzz target for ${TAMBERLOCK_FUZZ_SECONDS:-10} seconds"
    TAMBERLOCK_FUZZ_BUILD_DIR="$build-fuzz" bash "$here/fuzz/run.sh" "${TAMBERLOCK_FUZZ_SECONDS:-10}" \
      >>"$log" 2>&1 </dev/null || fail "A fuzz target failed." log
    grep -E '^(fuzz_|Done)' "$log" | paste - - | sed 's/^/          /'
    exit 0
    ;;
  sanitize)
    stage tests "running the test suite under AddressSanitizer and UBSan"
    cd "$build"
    QT_QPA_PLATFORM=offscreen ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1 \
      ctest --output-on-failure -j2 </dev/null
    exit 0
    ;;
esac

# run: the program folder is the user's own and outlives every build and clone;
# the database in it is never replaced.
program_dir="$data_home/tamberlock"
db="$program_dir/Tamberlock.mdb"
launcher="$HOME/.local/bin/tamberlock"
mkdir -p "$program_dir" 2>/dev/null || fail "Cannot create the program folder $program_dir."
[ -w "$program_dir" ] || fail "Cannot write the program folder $program_dir; nothing was changed."
if [ -e "$db" ] && ! { [ -r "$db" ] && [ -w "$db" ]; }; then
  fail "The database $db is read-only; make it writable (chmod u+rw) and run this again. Nothing was changed."
fi

# Earlier versions kept the database inside the build folder. Move it out once,
# with any journal SQLite left beside it; never over a database already there.
for old in "$build/src/Tamberlock.mdb" "$here/build/src/Tamberlock.mdb"; do
  [ -f "$old" ] || continue
  if [ ! -e "$db" ]; then
    for suffix in -journal -wal -shm ""; do
      if [ -e "$old$suffix" ]; then
        mv -n "$old$suffix" "$db$suffix" || fail "Could not move $old$suffix to $db$suffix."
      fi
    done
    stage database "moved your database from $old to $db"
  else
    stage database "left the older $old untouched; Tamberlock uses $db (delete the older one when you no longer need it)"
  fi
  break
done

stage install "installing into $program_dir"
if ! cmake --install "$build" >>"$log" 2>&1 </dev/null; then
  # CMake's own reason ends its error paragraph ("...: No space left on device.").
  reason="$(awk '/^CMake Error/ { f = 1; next } f && /^(Call Stack|$)/ { exit } f { printf "%s ", $0 }' "$log" |
    sed 's/.*": //; s/  */ /g; s/[. ]*$//')"
  fail "Installing into $program_dir failed: ${reason:-see $log}. The database was not touched."
fi
if command -v update-desktop-database >/dev/null 2>&1; then
  update-desktop-database -q "$data_home/applications" >>"$log" 2>&1 || true
fi
if command -v gtk-update-icon-cache >/dev/null 2>&1; then
  gtk-update-icon-cache -q -t -f "$data_home/icons/hicolor" >>"$log" 2>&1 || true
fi
case ":$PATH:" in
  *":$HOME/.local/bin:"*) ;;
  *) stage note "$HOME/.local/bin is not on your PATH yet; it will be after you log in again" ;;
esac
stage ready "in $((SECONDS - started)) s: Tamberlock is in your desktop's menu, and the command $launcher starts it"

if [ -z "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
  echo "No display here, so Tamberlock was not started; start it later with $launcher or from the menu."
  exit 0
fi
exec "$launcher"
