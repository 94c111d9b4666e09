#!/usr/bin/env bash
# Checks a built Debian package of the console: unpacked into a scratch root
# (dpkg -x, nothing installed on this machine), it must hold the programs, the
# shipped files, a valid desktop entry with its icon and the man pages; the
# tool must run from there; and the console, started from there by a normal
# user in a private network namespace, must make that user's program folder
# and end cleanly on SIGTERM while its first start-up question is open.
#   tests/package/check_package.sh PACKAGE.deb
set -uo pipefail
deb=$(realpath "${1:?usage: check_package.sh PACKAGE.deb}")
failures=0
fail() { echo "package: FAIL: $*" >&2; failures=$((failures + 1)); }
pass() { echo "package: ok: $*"; }

root=$(mktemp -d /tmp/prismel_pkg.XXXXXX)
trap 'rm -rf "$root"' EXIT
chmod 755 "$root"

# --- the package's fields
fields=$(dpkg-deb -f "$deb" Package Depends)
for want in "Package: prismel" "libqt6widgets6" "libqt6httpserver6" "libqt6websockets6" "fonts-ipafont-gothic" \
  "qt6-qpa-plugins" "libc6" "liblo7" "librtmidi6" \
  "libola1"; do
  grep -q "$want" <<<"$fields" || fail "control fields lack '$want'"
done
[ "$(dpkg-deb -f "$deb" Recommends)" = "xdg-utils" ] || fail "the package does not recommend xdg-utils"
pass "control fields"

# --- the files
dpkg -x "$deb" "$root" || { fail "dpkg -x"; exit 1; }
for f in usr/bin/prismel usr/bin/prismel-show; do
  [ -x "$root/$f" ] || fail "$f is missing or not executable"
done
for f in usr/share/prismel/PRSMDATA.DEF usr/share/prismel/PRSMTITL.BMP \
         usr/share/applications/prismel.desktop usr/share/icons/hicolor/scalable/apps/prismel.svg \
         usr/share/man/man1/prismel.1.gz usr/share/man/man1/prismel-show.1.gz; do
  [ -s "$root/$f" ] || fail "$f is missing or empty"
done
# The copyright file in the machine-readable format, naming the licences of
# what is shipped: Prismel's own and the compiled-in SimpleIni's.
copyright=$root/usr/share/doc/prismel/copyright
head -1 "$copyright" 2>/dev/null | grep -qx 'Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/' ||
  fail "no machine-readable copyright file"
for licence in "License: Apache-2.0" "License: Expat"; do
  [ "$(grep -cx "$licence" "$copyright" 2>/dev/null)" -eq 2 ] || fail "the copyright file lacks a stanza and the text of '$licence'"
done
unit=$root/usr/lib/systemd/user/prismel.service
for want in 'ExecStart=/usr/bin/prismel' 'Restart=on-failure' 'RestartPreventExitStatus=255'; do
  grep -qx "$want" "$unit" 2>/dev/null || fail "the user unit lacks '$want'"
done
[ -z "$(find "$root" -path '*/systemd/*' -type l)" ] || fail "the package enables its user unit"
for page in prismel prismel-show; do
  zcat "$root/usr/share/man/man1/$page.1.gz" | grep -q "^\.TH ${page^^} 1" || fail "man page $page is not a page of section 1"
done
pass "files"

# --- the desktop entry: valid, starting the installed command with the installed icon
entry=$root/usr/share/applications/prismel.desktop
desktop-file-validate "$entry" || fail "desktop-file-validate"
grep -qx 'Exec=prismel' "$entry" || fail "the entry does not start prismel"
grep -qx 'Icon=prismel' "$entry" || fail "the entry's icon is not prismel"
pass "desktop entry"

# --- the tool from the scratch root; init finds the shipped presets under ../share/prismel
help=$(timeout 20 "$root/usr/bin/prismel-show" --help) || fail "prismel-show --help"
grep -q '^usage: prismel-show' <<<"$help" || fail "prismel-show --help prints no usage"
show=$root/show
mkdir "$show"
timeout 20 "$root/usr/bin/prismel-show" init "$show" >/dev/null || fail "prismel-show init"
[ "$(ls "$show"/PRSMDATA.* 2>/dev/null | wc -l)" -eq 7 ] || fail "prismel-show init wrote no show"
timeout 20 "$root/usr/bin/prismel-show" check "$show" >/dev/null || fail "prismel-show check of a fresh show"
pass "prismel-show from the scratch root"

# --- the console as a normal user: its program folder under its home, and a
# clean end on SIGTERM with the first start's question open. It sends from
# the moment it starts, so it runs in a network namespace of its own.
if [ "$(id -u)" -eq 0 ] && unshare -n true 2>/dev/null && id nobody >/dev/null 2>&1; then
  as_user=(setpriv --reuid=nobody --regid="$(id -g nobody)" --clear-groups --inh-caps=-all)
  owner=nobody
elif unshare -rn true 2>/dev/null; then
  as_user=()
  owner=$(id -un)
else
  echo "package: skipped: the console's start (needs root or user namespaces for a private network)"
  as_user=none
fi
if [ "${as_user[*]-}" != none ]; then
  home=$root/home
  mkdir "$home"
  chown "$owner" "$home"
  unshare_opt=-n
  [ "$(id -u)" -eq 0 ] || unshare_opt=-rn
  env -i PATH=/usr/bin:/bin HOME="$home" LANG=C.UTF-8 QT_QPA_PLATFORM=offscreen PRISMEL_REMOTE_PORT=none \
    timeout 60 unshare $unshare_opt sh -c 'ip link set lo up; exec "$@"' sh "${as_user[@]}" "$root/usr/bin/prismel" \
    >"$root/console.log" 2>&1 &
  console=$!
  folder=$home/.local/share/prismel
  for _ in $(seq 100); do [ -f "$folder/prismel.INI" ] && break; sleep 0.1; done
  [ -f "$folder/prismel.INI" ] || fail "no settings file in $folder"
  # The show files are missing: the question to initialise them is open now.
  sleep 1
  start=$(date +%s%N)
  kill -TERM "$console" 2>/dev/null
  code=0
  wait "$console" || code=$?
  ms=$(( ($(date +%s%N) - start) / 1000000 ))
  [ "$code" -eq 0 ] || { fail "the console ended with $code on SIGTERM"; cat "$root/console.log" >&2; }
  [ "$ms" -le 3000 ] || fail "the console took $ms ms to end on SIGTERM"
  cmp -s "$folder/PRSMDATA.DEF" "$root/usr/share/prismel/PRSMDATA.DEF" || fail "the preset file was not copied"
  cmp -s "$folder/PRSMTITL.BMP" "$root/usr/share/prismel/PRSMTITL.BMP" || fail "the title image was not copied"
  [ -d "$folder/DATA" ] || fail "no DATA folder"
  # Written at shutdown only: the settings were saved.
  grep -q '^RestartChs=1' "$folder/prismel.INI" || fail "the settings were not written at shutdown"
  [ -z "$(ls "$folder"/PRSMDATA.[!D]* 2>/dev/null)" ] || fail "show files were written though the question was cancelled"
  [ "$(stat -c %U "$folder/prismel.INI")" = "$owner" ] || fail "the settings file does not belong to $owner"
  [ -z "$(ls "$root/usr/bin" | grep -v '^prismel\(-show\)\?$')" ] || fail "something was written beside the installed programs"
  pass "the console as $owner: program folder under its home, ended in $ms ms on SIGTERM"
fi

if ((failures)); then
  echo "package: $failures check(s) failed" >&2
  exit 1
fi
echo "package: all checks passed ($(basename "$deb"))"
