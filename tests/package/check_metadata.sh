#!/usr/bin/env bash
# The desktop entry and the AppStream metadata pass their validators, and
# the metadata's newest release is the version being built. So is the
# newest entry of the package's changelog, and the package's manual page
# reads without a warning and names every desktop action.
#   check_metadata.sh <packaging folder> <version>
set -u
dir=${1:?packaging folder}
version=${2:?version}
id=io.github.ostervale.Ostervale
failed=0

for tool in desktop-file-validate appstreamcli dpkg-parsechangelog groff; do
  if ! command -v "$tool" >/dev/null; then
    echo "FAIL: $tool is missing; scripts/install-deps installs it" >&2
    exit 1
  fi
done

if ! out=$(desktop-file-validate "$dir/$id.desktop" 2>&1) || [ -n "$out" ]; then
  echo "FAIL: desktop-file-validate $id.desktop:" >&2
  echo "$out" >&2
  failed=1
fi
# No network: the screenshots' addresses are checked for form, not fetched.
if ! out=$(appstreamcli validate --no-net --no-color "$dir/$id.metainfo.xml" 2>&1); then
  echo "FAIL: appstreamcli validate $id.metainfo.xml:" >&2
  echo "$out" >&2
  failed=1
fi
newest=$(grep -o '<release version="[^"]*"' "$dir/$id.metainfo.xml" | head -n1 | cut -d'"' -f2)
if [ "$newest" != "$version" ]; then
  echo "FAIL: the metadata's newest release is '$newest', the program is $version" >&2
  failed=1
fi
# Every screenshot the metadata shows is one the tour takes and the
# repository keeps.
for shot in $(grep -o 'docs/screens/[^<]*\.png' "$dir/$id.metainfo.xml"); do
  if [ ! -f "$dir/../$shot" ]; then
    echo "FAIL: the metadata shows $shot, which is not in the repository" >&2
    failed=1
  fi
done

# The package's changelog opens with the version being built, and the
# manual page reads without a warning and names every desktop action.
newest=$(dpkg-parsechangelog -l "$dir/changelog" -S Version 2>&1)
if [ "$newest" != "$version" ]; then
  echo "FAIL: the changelog's newest entry is '$newest', the program is $version" >&2
  failed=1
fi
if ! out=$(groff -man -Tutf8 -ww -z "$dir/ostervale.1" 2>&1) || [ -n "$out" ]; then
  echo "FAIL: groff on ostervale.1:" >&2
  echo "$out" >&2
  failed=1
fi
while IFS= read -r action; do
  if ! grep -qF -- "$action" "$dir/ostervale.1"; then
    echo "FAIL: the manual page does not name the desktop action '$action'" >&2
    failed=1
  fi
done < <(awk '/^\[/ { inAction = /^\[Desktop Action / } inAction && sub(/^Name=/, "")' "$dir/$id.desktop")
[ $failed -eq 0 ] && echo "desktop entry, metadata, changelog and manual page valid"
exit $failed
