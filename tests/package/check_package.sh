#!/usr/bin/env bash
# Builds the Debian package from the build folder, checks what it holds and
# what it depends on, unpacks it into a scratch root and starts the
# installed program there, offscreen, up to its main menu.
#   check_package.sh <build folder> <scratch folder> <version> [tags]
# where tags is a pattern for the lintian hardening tags a build that leaves
# some hardening out on purpose may show (the sanitized build has no
# _FORTIFY_SOURCE).
set -u
build=${1:?build folder}
scratch=${2:?scratch folder}
version=${3:?version}
left_out=${4:-}
id=io.github.ostervale.Ostervale
failed=0
fail() { echo "FAIL: $*" >&2; failed=1; }

rm -rf "$scratch"
mkdir -p "$scratch"
# A package folder of its own, so this never trips over `make package`.
if ! cpack -G DEB -B "$scratch/out" --config "$build/CPackConfig.cmake" >"$scratch/cpack.log" 2>&1; then
  cat "$scratch/cpack.log" >&2
  echo "FAIL: cpack could not build the package" >&2
  exit 1
fi
deb="$scratch/out/ostervale_${version}_amd64.deb"
if [ ! -f "$deb" ]; then
  ls "$scratch/out" >&2
  echo "FAIL: no $(basename "$deb")" >&2
  exit 1
fi

# What it holds.
dpkg-deb -c "$deb" | awk '{ $1=$2=$3=$4=$5=""; sub(/^ +/, ""); print }' >"$scratch/files"
for want in \
  ./usr/bin/ostervale \
  ./usr/share/ostervale/wav/click.wav \
  ./usr/share/ostervale/logo/quorvane2.bmp \
  ./usr/share/ostervale/logo/quorvane0019.gif \
  ./usr/share/ostervale/wmf/guide1.wmf \
  ./usr/share/ostervale/wmf2/guide1.wmf \
  ./usr/share/ostervale/multiple/Rationing.txt \
  "./usr/share/ostervale/multiple/The Progress of the War.txt" \
  ./usr/share/applications/$id.desktop \
  ./usr/share/icons/hicolor/48x48/apps/$id.png \
  ./usr/share/icons/hicolor/128x128/apps/$id.png \
  ./usr/share/icons/hicolor/256x256/apps/$id.png \
  ./usr/share/icons/hicolor/scalable/apps/$id.svg \
  ./usr/share/metainfo/$id.metainfo.xml \
  ./usr/share/doc/ostervale/copyright \
  ./usr/share/doc/ostervale/changelog.gz \
  ./usr/share/man/man1/ostervale.1.gz; do
  grep -qxF -- "$want" "$scratch/files" || fail "the package lacks $want"
done
pictures=$(grep -ciE '^\./usr/share/ostervale/images/.*\.jpg$' "$scratch/files")
[ "$pictures" -ge 10 ] || fail "the package holds only $pictures pictures"
# Nothing a user writes, nothing only the build uses.
for unwanted in 'multiple/track\.txt' '/fonts/' 'wmf2png' 'test_' '\.track\.lock' 'ostervale-material'; do
  if grep -qE -- "$unwanted" "$scratch/files"; then
    fail "the package holds $(grep -E -- "$unwanted" "$scratch/files" | head -n1)"
  fi
done

# What it depends on: the libraries found by dpkg-shlibdeps, the fonts and
# the speech engine.
depends=$(dpkg-deb -f "$deb" Depends)
for want in libqt6widgets6 libqt6multimedia6 libc6 fonts-wine fonts-liberation2 \
  libqt6texttospeech6 qt6-speech-flite-plugin; do
  [[ ", $depends," == *", $want "* || ", $depends," == *", $want,"* ]] || fail "Depends lacks $want: $depends"
done
# Nothing is built or run at install time.
dpkg-deb -e "$deb" "$scratch/control"
for script in preinst postinst prerm postrm config triggers; do
  [ ! -e "$scratch/control/$script" ] || fail "the package runs a $script script"
done

# Installed into a scratch root, started as a user whose home is empty.
dpkg -x "$deb" "$scratch/root"
mkdir -p "$scratch/home"
run() {
  env -i PATH=/usr/bin:/bin HOME="$scratch/home" QT_QPA_PLATFORM=offscreen \
    OSTERVALE_SCREENSHOTS="$scratch/shots" \
    timeout 120 "$scratch/root/usr/bin/ostervale" "$@" >"$scratch/out.log" 2>&1
}
run
rc=$?
said=$(cat "$scratch/out.log")
[ $rc -eq 0 ] || fail "the installed program ended with $rc: $said"
grep -q 'ostervale: reached the main-menu screen' <<<"$said" || fail "the main menu was not reached: $said"
! grep -q 'ostervale: message:' <<<"$said" || fail "the installed program told: $(grep 'message:' <<<"$said")"
[ -s "$scratch/shots/title.png" ] && [ -s "$scratch/shots/main-menu.png" ] || fail "no picture of the title or the main menu"
track="$scratch/home/.local/share/ostervale/multiple/track.txt"
if [ "$(od -An -c "$track" 2>/dev/null | tr -s ' ')" != " 0 \r \n" ]; then
  fail "the first start left no empty catalogue in the user's folder"
fi

# A shared folder that cannot be written: said, and the program still runs.
run --worksheets "$scratch/root/usr/bin/ostervale/sheets"
rc=$?
said=$(cat "$scratch/out.log")
[ $rc -eq 0 ] || fail "with an unwritable folder the program ended with $rc: $said"
grep -q "ostervale: message: Worksheets cannot be saved in the folder $scratch/root/usr/bin/ostervale/sheets" <<<"$said" ||
  fail "an unwritable folder was not told: $said"

# The manual page names every option the program takes.
manual=$(zcat "$scratch/root/usr/share/man/man1/ostervale.1.gz" 2>/dev/null | sed 's/\\-/-/g; s/\\%//g')
run --help
options=$(sed -nE 's/^  (-[a-z], )?(--[a-z][a-z-]*).*/\1\2/p' "$scratch/out.log" | tr -d ,)
[ -n "$options" ] || fail "--help listed no options: $(cat "$scratch/out.log")"
for option in $options; do
  grep -qE -- "(^|[^a-z-])$option([^a-z-]|\$)" <<<"$manual" || fail "the manual page lacks $option"
done

# The installed copies of the entry and metadata validate too.
desktop-file-validate "$scratch/root/usr/share/applications/$id.desktop" || fail "installed desktop entry"
appstreamcli validate --no-net --no-color "$scratch/root/usr/share/metainfo/$id.metainfo.xml" >/dev/null ||
  fail "installed metadata"

# Debian's own checker finds no error and no warning, and no hardening
# left out (which it only tells among its informational notes).
if ! command -v lintian >/dev/null; then
  fail "lintian is missing; scripts/install-deps installs it"
elif ! lintian --display-info --fail-on none "$deb" >"$scratch/lintian.log" 2>&1; then
  fail "lintian could not check the package: $(cat "$scratch/lintian.log")"
else
  found=$(grep -E '^[EW]: |^I: [^ ]+ hardening-' "$scratch/lintian.log")
  [ -z "$left_out" ] || found=$(grep -vE "^[EWI]: [^ ]+ ($left_out)( |\$)" <<<"$found")
  [ -z "$found" ] || fail "lintian on $(basename "$deb"):
$found"
fi

[ $failed -eq 0 ] && echo "package $(basename "$deb") holds, depends, starts and passes lintian as it should"
exit $failed
