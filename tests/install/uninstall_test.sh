#!/usr/bin/env bash
# scripts/uninstall after `cmake --install` into a temporary prefix: every installed file goes, and so does what
# the updater left in the program folder; the user's lists and other programs' files in the shared folders stay.
#   uninstall_test.sh BUILD_DIR UNINSTALL_SCRIPT
set -euo pipefail
build="$1"
uninstall="$2"
root="$(mktemp -d)"
trap 'rm -rf "$root"' EXIT
prefix="$root/home with blank/.local"

fail() { echo "FAIL: $*" >&2; exit 1; }

cmake --install "$build" --prefix "$prefix" >/dev/null
# What the user and the updater added, and another program sharing the folders.
printf 'seller1\r\nseller2\r\n' >"$prefix/lib/quillet/Sellers.txt"
printf 'bidder1\r\n' >"$prefix/lib/quillet/Bidders.txt"
printf 'partial' >"$prefix/lib/quillet/Quillet.download"
mkdir -p "$prefix/share/icons/hicolor/48x48/apps"
touch "$prefix/share/icons/hicolor/48x48/apps/other.png" "$prefix/share/applications/other.desktop"

output="$("$uninstall" "$prefix")"
echo "$output"

expected="./lib
./lib/quillet
./lib/quillet/Bidders.txt
./lib/quillet/Sellers.txt
./share
./share/applications
./share/applications/other.desktop
./share/icons
./share/icons/hicolor
./share/icons/hicolor/48x48
./share/icons/hicolor/48x48/apps
./share/icons/hicolor/48x48/apps/other.png"
left="$(cd "$prefix" && find . -mindepth 1 | LC_ALL=C sort)"
[ "$left" = "$expected" ] || fail "left behind:
$left"
[ "$(cat "$prefix/lib/quillet/Sellers.txt")" = "$(printf 'seller1\r\nseller2\r')" ] || fail "Sellers.txt changed"
grep -qxF "Kept your list: $prefix/lib/quillet/Sellers.txt" <<<"$output" || fail "the kept list is not named"
grep -qxF "Removed: $prefix/bin/quillet" <<<"$output" || fail "the link's removal is not reported"

# Nothing left to remove: said so, the lists still kept; a "quillet" in bin that is not ours stays.
mkdir -p "$prefix/bin"
ln -s /bin/true "$prefix/bin/quillet"
output="$("$uninstall" "$prefix")"
grep -qF "Nothing of Lastbell Quillet was installed" <<<"$output" || fail "a second uninstall said: $output"
[ -L "$prefix/bin/quillet" ] || fail "another program's link was removed"
[ -f "$prefix/lib/quillet/Bidders.txt" ] || fail "Bidders.txt was removed"
echo "PASS"
