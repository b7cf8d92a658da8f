#!/usr/bin/env bash
# Makes the .deb, unpacks it with dpkg-deb into a temporary root and checks
# what an installed editor does: it answers --help; its first start with an
# empty home creates the user's data folder and the empty preset database
# there; a preset stored in that database survives the next start.
set -euo pipefail
build=$(cd "$1" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

fail() { echo "FAILED: $*" >&2; exit 1; }

(cd "$build" && cpack -G DEB -B "$work/package" >"$work/cpack.log") || { cat "$work/cpack.log"; fail "cpack"; }
deb=$(ls "$work"/package/*.deb)
dpkg-deb -f "$deb" Depends | grep -q libqt6sql6-sqlite || fail "the SQLite driver is not a dependency"
dpkg-deb -f "$deb" Depends | grep -q fonts-noto-cjk || fail "the Chinese font is not a dependency"
dpkg-deb -x "$deb" "$work/root"

usr=$work/root/usr
for f in bin/mixer-editor bin/mixer-sim share/mixer-editor/Korvel.mdb share/mixer-editor/korvel_schema.sql \
         share/applications/mixer-editor.desktop share/icons/hicolor/48x48/apps/mixer-editor.png \
         share/icons/hicolor/256x256/apps/mixer-editor.png; do
  [ -e "$usr/$f" ] || fail "$f is not in the package"
done
[ -e "$usr/bin/Korvel.mdb" ] && fail "a database lies beside the installed program"

"$usr/bin/mixer-editor" --help | grep -q -- '--data-dir' || fail "--help"

home=$work/home
mkdir "$home"
start() {
  env -u XDG_DATA_HOME -u XDG_CONFIG_HOME HOME="$home" QT_QPA_PLATFORM=offscreen \
    "$usr/bin/mixer-editor" --bind 127.0.0.1 --device 127.0.0.2 --screenshot "$1" >"$work/editor.log" 2>&1 \
    || { cat "$work/editor.log"; fail "the installed editor did not start"; }
}
start "$work/first.png"
data=$home/.local/share/mixer-editor
[ -f "$data/Korvel.mdb" ] || fail "no database in $data"
[ -f "$work/first.png" ] || fail "no screenshot"
[ -w "$data/Korvel.mdb" ] || fail "the user's database is not writable"

python3 - "$data/Korvel.mdb" <<'PY'
import sqlite3, sys
db = sqlite3.connect(sys.argv[1])
db.execute('INSERT INTO "NOISE" (ID, NAME, NOISEDATA) VALUES (1, ?, ?)', ("kept", "013C0AFA"))
db.commit()
PY
start "$work/second.png"
python3 - "$data/Korvel.mdb" <<'PY' || fail "the preset did not survive a restart"
import sqlite3, sys
rows = sqlite3.connect(sys.argv[1]).execute('SELECT NAME FROM "NOISE"').fetchall()
sys.exit(0 if rows == [("kept",)] else 1)
PY
echo "package installs and keeps the user's data in $data"
