#!/usr/bin/env bash
# Refreshes the bundled X_ITE (third_party/x_ite) from the npm package x_ite:
# the files listed in third_party/x_ite/files.txt, taken unmodified from the
# package's dist/ folder, packed into x_ite.tar.xz (the same bytes for the
# same files), and its licence beside it as LICENSE.md. Needs npm and the
# network; the program's build needs neither.
#   scripts/update-x_ite.sh [VERSION]     (default: the one in VERSION)
set -euo pipefail
dest="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)/third_party/x_ite"
version="${1:-$(cat "$dest/VERSION")}"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
(cd "$work" && npm pack --silent "x_ite@$version" >/dev/null)
tar -xzf "$work/x_ite-$version.tgz" -C "$work"
grep -v -e '^#' -e '^$' "$dest/files.txt" > "$work/list"
(cd "$work/package/dist" &&
    tar --mtime='2000-01-01 00:00Z' --owner=0 --group=0 --numeric-owner --format=gnu \
        -cf - -T "$work/list") | xz -9e > "$work/x_ite.tar.xz"
install -m 644 "$work/x_ite.tar.xz" "$dest/x_ite.tar.xz"
install -m 644 "$work/package/dist/LICENSE.md" "$dest/LICENSE.md"
echo "$version" > "$dest/VERSION"
echo "X_ITE $version packed into $dest/x_ite.tar.xz"
