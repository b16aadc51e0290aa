#!/usr/bin/env bash
# The installed game: installs the build into a temporary prefix, checks the
# installed files, starts the program as a user who has never played, and
# checks that this user receives a working copy of the database, that the
# copy survives a reinstall untouched, and that a second user gets a copy of
# their own. Everything lives in one temporary directory, removed at the end.
# Usage: InstallTest.sh BUILD_DIR SOURCE_DIR [CMAKE]
set -euo pipefail

build="$(cd "$1" && pwd)"
source_dir="$(cd "$2" && pwd)"
cmake="${3:-cmake}"

fail() {
  echo "FAIL: $*" >&2
  exit 1
}
command -v sqlite3 >/dev/null || fail "sqlite3 is needed to inspect the database"

work="$(mktemp -d "${TMPDIR:-/tmp}/vemo-install.XXXXXX")"
prefix="$work/prefix"
running=""

# cmake --install writes its manifest into the build tree; a manifest that was
# there before goes back, one this test made goes away.
manifest="$build/install_manifest.txt"
had_manifest=0
if [ -e "$manifest" ]; then
  had_manifest=1
  cp -p "$manifest" "$work/install_manifest.txt"
fi

cleanup() {
  if [ -n "$running" ]; then
    kill -KILL "$running" 2>/dev/null || true
    wait "$running" 2>/dev/null || true
  fi
  if [ "$had_manifest" = 1 ]; then cp -p "$work/install_manifest.txt" "$manifest"; else rm -f "$manifest"; fi
  rm -rf "$work"
}
trap cleanup EXIT

install_prefix() {
  "$cmake" --install "$build" --prefix "$prefix" >"$work/install.log" 2>&1 || {
    cat "$work/install.log" >&2
    fail "cmake --install failed"
  }
}

# --- The installed files ----------------------------------------------------
install_prefix
program="$prefix/games/vemo"
[ -x "$program" ] || fail "games/vemo is not installed or not executable"
[ -f "$prefix/share/vemo/Vemo.mdb" ] || fail "share/vemo/Vemo.mdb is not installed"
desktop="$prefix/share/applications/vemo.desktop"
[ -f "$desktop" ] || fail "share/applications/vemo.desktop is not installed"
if command -v desktop-file-validate >/dev/null; then
  desktop-file-validate "$desktop" || fail "vemo.desktop does not validate"
else
  echo "desktop-file-validate not available; vemo.desktop checked for its keys only"
fi
grep -qx "Exec=vemo" "$desktop" || fail "vemo.desktop does not start vemo"
grep -qx "Icon=vemo" "$desktop" || fail "vemo.desktop does not name the icon vemo"
[ -s "$prefix/share/icons/hicolor/scalable/apps/vemo.svg" ] || fail "the icon is not installed"
# A PNG's width and height are the big-endian words at bytes 16 and 20.
png_size() {
  od -An -tu1 -j16 -N8 "$1" | awk '{ printf "%dx%d", $1*16777216+$2*65536+$3*256+$4, $5*16777216+$6*65536+$7*256+$8 }'
}
for size in 16 22 24 32 48 64 128 256; do
  icon="$prefix/share/icons/hicolor/${size}x${size}/apps/vemo.png"
  [ -f "$icon" ] && [ "$(png_size "$icon")" = "${size}x${size}" ] || fail "no ${size}x${size} icon"
done
metainfo="$(ls "$prefix"/share/metainfo/*.metainfo.xml)"
grep -q "<launchable type=\"desktop-id\">vemo.desktop</launchable>" "$metainfo" || fail "the AppStream entry does not launch vemo.desktop"
if command -v appstreamcli >/dev/null; then
  appstreamcli validate --no-net "$metainfo" >"$work/appstream.log" 2>&1 || {
    cat "$work/appstream.log" >&2
    fail "the AppStream entry does not validate"
  }
else
  echo "appstreamcli not available; the AppStream entry is not validated"
fi
# The manual page, as `man 6 vemo` shows it.
if command -v man >/dev/null; then
  manual="$(MANWIDTH=80 man -l "$prefix/share/man/man6/vemo.6.gz" 2>&1)" || fail "man cannot show the manual page: $manual"
  for text in "--data-dir" "--version" "--help" "VEMO_DATA_DIR" "~/.local/share/Vemo" "error.log" "Vemodb.BAK"; do
    grep -qF -- "$text" <<<"$manual" || fail "the manual page does not speak of $text"
  done
else
  echo "man not available; the manual page is not read"
fi
for document in copyright changelog.gz; do
  [ -s "$prefix/share/doc/vemo/$document" ] || fail "share/doc/vemo/$document is not installed"
done
cmp -s "$source_dir/resources/help/vemo-help.html" "$prefix/share/vemo/vemo-help.html" ||
  fail "the help document is not installed"
[ "$(sqlite3 "$prefix/share/vemo/Vemo.mdb" "PRAGMA integrity_check")" = "ok" ] ||
  fail "the installed Vemo.mdb is not a sound database"
# The shipped database holds no one's games: the build tree's copy is also the
# one a build-tree start plays in, and that must not be what gets installed.
played="$(sqlite3 "$prefix/share/vemo/Vemo.mdb" \
  "SELECT (SELECT COUNT(*) FROM History) + (SELECT COUNT(*) FROM SavedGames) + (SELECT COUNT(*) FROM Properties)")"
[ "$played" = 0 ] || fail "the installed Vemo.mdb is not as built from Vemo.sql: it carries $played rows of" \
  "history, saved games or start counts, played in $build/app"
installed_sum="$(cksum <"$prefix/share/vemo/Vemo.mdb")"

# --- Users ------------------------------------------------------------------
# A user is a home of their own with the desktop's directories inside it.
make_user() {
  local home="$work/$1"
  mkdir -p "$home/.local/share" "$home/.config" "$home/.cache" "$home/.local/state" "$home/runtime" "$home/tmp"
  chmod 700 "$home/runtime"
  echo "$home"
}

# Where the user's copy is kept: the per-user data directory, ~/.local/share/Vemo.
user_database() {
  [ -f "$1/.local/share/Vemo/Vemo.mdb" ] && echo "$1/.local/share/Vemo/Vemo.mdb"
  return 0
}

# Reads the database as it stands on disk, past the lock the game holds.
read_unlocked() {
  sqlite3 "file:$1?immutable=1" "$2" 2>/dev/null || true
}

# Starts the installed program as the user in $1 and returns once it has
# counted this start ($2, the start counter it must reach) in the user's copy
# and holds that copy for the game; then stops it.
run_as() {
  local home="$1" starts="$2" database="" answer="" counted="" waited=0
  (
    unset VEMO_DATA_DIR
    export HOME="$home" USER="vemo-test" LOGNAME="vemo-test"
    export XDG_DATA_HOME="$home/.local/share" XDG_CONFIG_HOME="$home/.config" XDG_CACHE_HOME="$home/.cache"
    export XDG_STATE_HOME="$home/.local/state" XDG_RUNTIME_DIR="$home/runtime" TMPDIR="$home/tmp"
    export QT_QPA_PLATFORM=offscreen VEMO_TIME_SCALE=0.001
    cd "$home"
    exec "$program"
  ) >"$home/output.log" 2>&1 &
  running=$!
  # Up to about 20 seconds, checked every fifth of a second.
  while [ "$waited" -lt 100 ]; do
    kill -0 "$running" 2>/dev/null || break
    database="$(user_database "$home")"
    if [ -n "$database" ]; then
      # The game keeps its database locked while it runs.
      answer="$(sqlite3 -bail "$database" "SELECT COUNT(*) FROM History" 2>&1 || true)"
      counted="$(read_unlocked "$database" "SELECT Value FROM Properties WHERE Name = 'CompactIteration'")"
      case "$answer" in *locked*) [ "$counted" = "$starts" ] && break ;; esac
    fi
    sleep 0.2
    waited=$((waited + 1))
  done
  if ! kill -0 "$running" 2>/dev/null; then
    cat "$home/output.log" >&2
    fail "the program ended on its own for $home"
  fi
  kill "$running" 2>/dev/null || true
  wait "$running" 2>/dev/null || true
  running=""
  if [ "$waited" -ge 100 ]; then
    cat "$home/output.log" >&2
    find "$home" -name error.log -exec cat {} + >&2 || true
    fail "start $starts for $home: no opened Vemo.mdb in the per-user data directory within 20 seconds" \
         "(database: ${database:-none}; read: ${answer:-none}; start counter: ${counted:-none})"
  fi
}

check_sound() {
  [ "$(sqlite3 "$1" "PRAGMA integrity_check")" = "ok" ] || fail "$1 is not a sound database"
}

marker_count() {
  sqlite3 "$1" "SELECT COUNT(*) FROM History WHERE Winner = 'install-test-marker'"
}

# --- The first user: a fresh copy of the installed database ------------------
first="$(make_user first)"
run_as "$first" 1
first_db="$(user_database "$first")"
case "$first_db" in
  "$first/.local/share/Vemo/Vemo.mdb") ;;
  *) fail "the first user's database is not in their data directory: $first_db" ;;
esac
echo "first user's database: ${first_db#"$work"/}"
check_sound "$first_db"
for table in Verses ComputerPlayers; do
  [ "$(sqlite3 "$first_db" "SELECT COUNT(*) FROM $table")" -gt 0 ] || fail "the copy has no $table"
done
[ -z "$(ls -A "$prefix/games" | grep -vx vemo || true)" ] || fail "the program wrote beside itself: $(ls "$prefix/games")"
[ "$(cksum <"$prefix/share/vemo/Vemo.mdb")" = "$installed_sum" ] || fail "the program changed the installed database"

# The user's games: one row of history, then a reinstall over the same prefix.
sqlite3 -bail "$first_db" "INSERT INTO History (DatePlayed, Winner, WinnerScore, SecondPlace, SecondScore,
  ThirdPlace, ThirdScore, FourthPlace, FourthScore, GapBetweenWinnerLoser)
  VALUES ('2024-01-01T12:00:00', 'install-test-marker', 500, 'Adam', 300, 'Ben', 200, 'Caleb', 100, 400)"
[ "$(marker_count "$first_db")" = 1 ] || fail "the marker row could not be written"
install_prefix
[ -x "$program" ] && [ -f "$prefix/share/vemo/Vemo.mdb" ] || fail "the reinstall left no program or database"

run_as "$first" 2
[ "$(user_database "$first")" = "$first_db" ] || fail "the first user's database moved"
check_sound "$first_db"
[ "$(marker_count "$first_db")" = 1 ] || fail "the first user's history was lost by the reinstall or the restart"

# --- The second user: a copy of their own -----------------------------------
second="$(make_user second)"
run_as "$second" 1
second_db="$(user_database "$second")"
[ -n "$second_db" ] || fail "the second user has no database"
check_sound "$second_db"
[ "$(marker_count "$second_db")" = 0 ] || fail "the second user received the first user's history"
[ "$(marker_count "$first_db")" = 1 ] || fail "the first user's history changed"

echo "install test passed"
