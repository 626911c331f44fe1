#!/usr/bin/env bash
# Refreshes the bundled X_ITE (third_party/x_ite) from the npm package x_ite:
# only the files listed in third_party/x_ite/files.txt, taken from the
# package's dist/ folder. Needs npm and the network; the program's build
# needs neither.
#   scripts/update-x_ite.sh [VERSION]     (default: the one in VERSION)
set -euo pipefail
dest="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)/third_party/x_ite"
version="${1:-$(cat "$dest/VERSION")}"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
(cd "$work" && npm pack --silent "x_ite@$version" >/dev/null)
tar -xzf "$work/x_ite-$version.tgz" -C "$work"
while IFS= read -r name; do
    case "$name" in ''|'#'*) continue ;; esac
    install -D -m 644 "$work/package/dist/$name" "$dest/$name"
done < "$dest/files.txt"
echo "$version" > "$dest/VERSION"
echo "X_ITE $version copied into $dest"
