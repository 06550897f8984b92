#!/usr/bin/env bash
# Installs the build into a temporary prefix and checks what a desktop sees:
# the launcher, the desktop entry, the metainfo, the icons, the program folder
# with its database, and that the installed program starts from there.
#   install_test.sh BUILD_DIR INSTALL_DIR...
# The INSTALL_DIRs (bin, data, program folder) must be relative, or the install
# would leave the temporary prefix.
set -uo pipefail
build="$1"
for d in "${@:2}"; do
  case "$d" in /*)
    echo "install folder $d is absolute; configure this build with relative install folders"
    exit 1
    ;;
  esac
done
tmp="$(mktemp -d)"
pid=""
cleanup() {
  [ -n "$pid" ] && kill "$pid" 2>/dev/null
  chmod -R u+w "$tmp" 2>/dev/null
  rm -rf "$tmp"
}
trap cleanup EXIT
passed=0
failures=0
check() { # check DESCRIPTION COMMAND...; VERBOSE=1 shows what each printed
  if "${@:2}" >"$tmp/out" 2>&1; then
    echo "ok   $1"
    [ -n "${VERBOSE:-}" ] && sed 's/^/     /' "$tmp/out" | head -5
    passed=$((passed + 1))
  else
    echo "FAIL $1"
    sed 's/^/     /' "$tmp/out" | head -20
    failures=$((failures + 1))
  fi
}

prefix="$tmp/prefix"
app=example.brumvale.Tamberlock
dir="$prefix/share/tamberlock"
launcher="$prefix/bin/tamberlock"
db="$dir/Tamberlock.mdb"
if ! cmake --install "$build" --prefix "$prefix" >"$tmp/install.log" 2>&1; then
  cat "$tmp/install.log"
  echo "install failed"
  exit 1
fi
# Every installed file must be under the prefix given.
check "everything installed under the prefix" bash -c "! grep -v '^$prefix/' '$build/install_manifest.txt'"

check "launcher is executable" test -x "$launcher"
check "program and tamberlock-newdb in the program folder" test -x "$dir/Tamberlock" -a -x "$dir/tamberlock-newdb"
check "empty database made in the program folder" test -s "$db"
check "desktop entry validates" desktop-file-validate "$prefix/share/applications/$app.desktop"
exec_line="$(sed -n 's/^Exec=//p' "$prefix/share/applications/$app.desktop")"
check "desktop entry starts the installed launcher" test "$exec_line" = "\"$launcher\""
check "metainfo validates" appstreamcli validate --no-net "$prefix/share/metainfo/$app.metainfo.xml"
png_size() { # width x height from the PNG header
  od -An -tu1 -j16 -N8 "$1" | awk '{ printf "%dx%d", $1*16777216+$2*65536+$3*256+$4, $5*16777216+$6*65536+$7*256+$8 }'
}
for size in 16 32 48 64 128 256; do
  png="$prefix/share/icons/hicolor/${size}x${size}/apps/$app.png"
  check "icon ${size}x${size}" test "$(png_size "$png" 2>/dev/null)" = "${size}x${size}"
done
check "scalable icon" grep -q "<svg" "$prefix/share/icons/hicolor/scalable/apps/$app.svg"

# Starts the program offscreen from another folder with a settings store of
# its own and waits, at most 60 s, for its first question: the offer to add a
# company (the empty database was read) or an error box.
first_box() { # first_box COMMAND... ; prints the first box's line
  local log="$tmp/run.log"
  : >"$log"
  (cd / && HOME="$tmp/home" XDG_CONFIG_HOME="$tmp/home/.config" QT_QPA_PLATFORM=offscreen \
    QT_LOGGING_RULES="tamberlock.windows.info=true;qt.qpa.*=false" exec "$@" >"$log" 2>&1) &
  pid=$!
  for _ in $(seq 600); do
    if grep -qE 'shown (frmKivMsg|.*"Error)' "$log" || ! kill -0 "$pid" 2>/dev/null; then break; fi
    sleep 0.1
  done
  kill "$pid" 2>/dev/null
  wait "$pid" 2>/dev/null
  pid=""
  grep -m1 -E 'shown (frmKivMsg|.*"Error)' "$log" || { echo "no box shown; the program said:"; cat "$log"; }
}
mkdir -p "$tmp/home"
check "installed program starts and reads its database" \
  bash -c 'echo "$1"; [[ "$1" == *'\''shown frmKivMsg "Add New Company?"'\''* ]]' _ \
  "$(first_box "$launcher")"

# The same program without its database says so: the check above can fail.
mv "$db" "$tmp/kept.mdb"
check "without its database the program reports it" \
  bash -c 'echo "$1"; [[ "$1" == *"Error"* ]]' _ "$(first_box "$dir/Tamberlock")"
check "the launcher refuses a missing database, naming the folder" \
  bash -c '"$1" 2>&1 | grep -F "there is no database in $2"; test "${PIPESTATUS[0]}" = 1' _ "$launcher" "$dir"
mv "$tmp/kept.mdb" "$db"

# Folders and files this user cannot write. Root may write anything, so as root
# these run as nobody.
if [ "$(id -u)" -eq 0 ]; then
  as_user=(setpriv --reuid=65534 --regid=65534 --clear-groups --)
  chmod 755 "$tmp"
else
  as_user=()
  chmod a-w "$dir"
fi
check "a program folder the user cannot write is refused, naming it" \
  bash -c '"$@" 2>&1 | grep -F "cannot write the program folder '"$dir"'"; test "${PIPESTATUS[0]}" = 1' _ \
  "${as_user[@]}" "$launcher"
if [ "$(id -u)" -eq 0 ]; then chown 65534 "$dir"; else chmod u+w "$dir"; fi
chmod a-w "$db"
check "a read-only database is refused, naming it" \
  bash -c '"$@" 2>&1 | grep -F "the database '"$db"' is read-only"; test "${PIPESTATUS[0]}" = 1' _ \
  "${as_user[@]}" "$launcher"
chmod u+w "$db"
[ "$(id -u)" -eq 0 ] && chown 0 "$dir"

# Installing again keeps the database as it is.
printf 'records' >>"$db"
before="$(sha256sum <"$db")"
cmake --install "$build" --prefix "$prefix" >"$tmp/install2.log" 2>&1
check "a second install keeps the database" test "$(sha256sum <"$db")" = "$before"

echo "install checks: $passed ok, $failures failed"
[ "$failures" -eq 0 ]
