#!/usr/bin/env bash
# Installs the build into a temporary prefix (its path holds a blank, as many home folders
# do) and checks the install tree, the launcher's per-user folder and a start of the real game.
#   install_test.sh BUILD_DIR SOURCE_DIR
set -uo pipefail

build=$1
source=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
prefix="$work/install tree"
failures=0

fail() {
  echo "FAIL: $*"
  failures=$((failures + 1))
}

check() {  # check DESCRIPTION COMMAND...
  local what=$1
  shift
  if "$@"; then echo "ok: $what"; else fail "$what"; fi
}

# The shipped level names of a folder: Level.N with N in plain decimal, one a line, sorted.
level_names() {
  ls -1 "$1" 2>/dev/null | grep -E '^Level\.(0|[1-9][0-9]*)$' | sort
}

if ! cmake --install "$build" --prefix "$prefix" >"$work/install.log" 2>&1; then
  cat "$work/install.log"
  echo "FAIL: cmake --install"
  exit 1
fi

# ---- The install tree ------------------------------------------------------------------------
share="$prefix/share/tobli"
check "launcher is executable" test -x "$prefix/bin/tobli"
check "game is installed" test -x "$prefix/libexec/tobli/tobli"
check "tools are installed" test -x "$prefix/bin/vez" -a -x "$prefix/bin/tobli-replay" \
  -a -x "$prefix/bin/levelcheck"
check "media archive is whole" "$prefix/bin/vez" verify "$share/media.vez"
check "music archive is whole" "$prefix/bin/vez" verify "$share/music.vez"
check "icon is a 128 x 128 PNG" test "$(identify -format '%m %w %h' \
  "$prefix/share/icons/hicolor/128x128/apps/org.tobli.tobli.png" 2>/dev/null)" = "PNG 128 128"
check "metainfo validates" appstreamcli validate --no-net \
  "$prefix/share/metainfo/org.tobli.tobli.metainfo.xml"
check "menu entry validates" desktop-file-validate \
  "$prefix/share/applications/org.tobli.tobli.desktop"
check "shipped levels are the source's levels and no save slot" \
  test "$(level_names "$share/levels")" = "$(level_names "$source/levels")"
check "no other file is shipped as a level" \
  test "$(ls -1 "$share/levels" | sort)" = "$(level_names "$share/levels")"

# ---- The launcher, with a stand-in for the game -----------------------------------------------
# A copy of the tree whose game only writes down where and how it was started, and whose
# shipped levels the test can change.
fake="$work/fake tree"
cp -a "$prefix" "$fake"
cat >"$fake/libexec/tobli/tobli" <<'EOF'
#!/bin/sh
pwd >"$TOBLI_TEST_NOTE"
for a in "$@"; do echo "arg:$a" >>"$TOBLI_TEST_NOTE"; done
EOF
chmod +x "$fake/libexec/tobli/tobli"
rm -rf "$fake/share/tobli/levels"
mkdir -p "$fake/share/tobli/levels"
for n in 0 1 2; do echo "shipped $n" >"$fake/share/tobli/levels/Level.$n"; done

export TOBLI_TEST_NOTE="$work/note"
data="$work/data home"
user="$data/tobli"
XDG_DATA_HOME="$data" "$fake/bin/tobli" "two words" -x
check "first start runs the game in the user's folder" test "$(head -n1 "$TOBLI_TEST_NOTE")" = "$user"
check "arguments reach the game unchanged" \
  test "$(tail -n +2 "$TOBLI_TEST_NOTE" | tr '\n' '|')" = "arg:two words|arg:-x|"
check "first start seeds every shipped level" \
  test "$(level_names "$user/levels" | tr '\n' ' ')" = "Level.0 Level.1 Level.2 "
check "seeded level is the shipped one" cmp -s "$user/levels/Level.1" "$fake/share/tobli/levels/Level.1"
check "archives are reached from the user's folder" cmp -s "$user/media.vez" "$share/media.vez"
check "archives are linked, not copied" test -L "$user/music.vez"

# The user edits level 1 and plays slot 1; a newer install changes levels 1 and 2 and adds 3.
echo "my own level 1" >"$user/levels/Level.1"
echo "12" >"$user/levels/Level.01"
for n in 1 2 3; do echo "newer $n" >"$fake/share/tobli/levels/Level.$n"; done
XDG_DATA_HOME="$data" "$fake/bin/tobli"
check "an edited level is kept" test "$(cat "$user/levels/Level.1")" = "my own level 1"
check "a save slot is kept" test "$(cat "$user/levels/Level.01")" = "12"
check "an unedited level follows the newer install" test "$(cat "$user/levels/Level.2")" = "newer 2"
check "a new shipped level is added" test "$(cat "$user/levels/Level.3")" = "newer 3"
check "an untouched level stays" test "$(cat "$user/levels/Level.0")" = "shipped 0"

# A deleted level comes back; a level the user made under a free number is left alone.
rm "$user/levels/Level.0"
echo "mine" >"$user/levels/Level.7"
XDG_DATA_HOME="$data" "$fake/bin/tobli"
check "a deleted shipped level is restored" test "$(cat "$user/levels/Level.0")" = "shipped 0"
check "the user's own level is left alone" test "$(cat "$user/levels/Level.7")" = "mine"

# A relative XDG_DATA_HOME is not a base folder: the default under HOME is used.
home="$work/home"
mkdir -p "$home"
HOME="$home" XDG_DATA_HOME="relative" "$fake/bin/tobli"
check "relative XDG_DATA_HOME falls back to ~/.local/share" \
  test "$(head -n1 "$TOBLI_TEST_NOTE")" = "$home/.local/share/tobli"

# A user folder that cannot be written is reported, not run.
ro="$work/read-only"
mkdir -p "$ro/tobli/levels"
chmod a-w "$ro/tobli/levels"
rm -f "$TOBLI_TEST_NOTE"
if [ "$(id -u)" -ne 0 ]; then
  if XDG_DATA_HOME="$ro" "$fake/bin/tobli" 2>"$work/ro.err"; then
    fail "a read-only levels folder is refused"
  else
    check "a read-only levels folder is refused with a reason" grep -q "not writable" "$work/ro.err"
  fi
  check "the game does not start on a read-only folder" test ! -e "$TOBLI_TEST_NOTE"
fi
chmod u+w "$ro/tobli/levels"

# A tree whose game is gone says so instead of failing somewhere further on.
broken="$work/broken tree"
cp -a "$fake" "$broken"
rm -rf "$broken/libexec"
if XDG_DATA_HOME="$data" "$broken/bin/tobli" 2>"$work/broken.err"; then
  fail "a missing game is reported"
else
  check "a missing game is reported with its path" grep -q "the game is missing" "$work/broken.err"
fi

# ---- The real game through the installed launcher ---------------------------------------------
if [ -z "${DISPLAY:-}" ]; then
  echo "no X display: the start of the real game is not checked"
  [ $failures -eq 0 ] && exit 77
  exit 1
fi

game_data="$work/game data"
game_tmp="$work/game tmp"
mkdir -p "$game_tmp"
# Sanitizer build: Mesa's software driver stays loaded to the end, as in the test programs, so
# that LeakSanitizer's look at the threads never meets the thread storage of an unloaded driver.
preload=
if [ -n "${TOBLI_PRELOAD_GL_DRIVER:-}" ]; then
  for driver in /usr/lib/x86_64-linux-gnu/dri/swrast_dri.so \
    /usr/lib/aarch64-linux-gnu/dri/swrast_dri.so /usr/lib64/dri/swrast_dri.so \
    /usr/lib/dri/swrast_dri.so; do
    if [ -r "$driver" ]; then
      preload=$driver
      break
    fi
  done
fi
LD_PRELOAD="$preload" XDG_DATA_HOME="$game_data" XDG_CONFIG_HOME="$work/game config" \
  TMPDIR="$game_tmp" SDL_AUDIODRIVER=dummy \
  "$prefix/bin/tobli" >"$work/game.out" 2>"$work/game.err" &
pid=$!

# The game names its media archive once its window, renderer and sound are up.
started=0
for _ in $(seq 1 600); do
  if grep -q "Setting box:media.vez" "$work/game.out" 2>/dev/null; then
    started=1
    break
  fi
  kill -0 $pid 2>/dev/null || break
  sleep 0.1
done
check "the installed game starts" test $started -eq 1
check "the user's folder is seeded from the shipped levels" \
  test "$(level_names "$game_data/tobli/levels")" = "$(level_names "$share/levels")"

# Let the title screen run a moment, then ask the game to end as a window manager would.
sleep 1
kill -TERM $pid 2>/dev/null
code=timeout
for _ in $(seq 1 300); do
  if ! kill -0 $pid 2>/dev/null; then
    wait $pid
    code=$?
    break
  fi
  sleep 0.1
done
if [ "$code" = timeout ]; then
  kill -KILL $pid 2>/dev/null
  wait $pid 2>/dev/null
fi
check "the game ends on SIGTERM with code 0 (got $code)" test "$code" = 0

log="$game_tmp/ErrorLog.txt"
check "the error log is written in the temporary folder" test -f "$log"
if [ -f "$log" ]; then
  tail -n 5 "$log" | tr -d '\r' >"$work/tail"
  check "the error log ends with its five lines" test "$(wc -l <"$work/tail")" -eq 5
  check "the first of them marks the end" test "$(sed -n 1p "$work/tail")" = "-End On Line"
  check "the end was no error" test "$(sed -n 2p "$work/tail")" = "0"
  check "the other three are numbers" \
    test "$(sed -n '3,5p' "$work/tail" | grep -cE '^-?[0-9]+(\.[0-9]+)?$')" -eq 3
fi
if [ $failures -ne 0 ]; then
  echo "--- game stdout"; cat "$work/game.out"
  echo "--- game stderr"; cat "$work/game.err"
  [ -f "$log" ] && { echo "--- error log"; cat "$log"; }
fi

echo "$failures failed"
[ $failures -eq 0 ]
