#!/usr/bin/env bash
# Installs the Debian packages the build, the program and the tests need,
# only those that are missing.
#   build:   cmake ninja-build g++ qt6-base-dev qt6-base-dev-tools libgl-dev
#            libmicrohttpd-dev (GNU libmicrohttpd: the web viewer's server,
#            with connection, memory and time limits of its own)
#            libzip-dev pkg-config (lesson files and the pupils' SCORM packages
#            are zips; pkg-config finds libzip, whose Debian CMake files name
#            tools it does not ship; its run-time libzip4 comes in the
#            package's Depends through dpkg-shlibdeps)
#   run:     libqt6printsupport6 qt6-qpa-plugins qt6-translations-l10n (Czech
#            Yes/No buttons) fonts-liberation (the canvas font) xdg-utils
#            libmicrohttpd12 (the web viewer's server)
#   tests:   xvfb xauth (windows under a real X server), chromium nodejs npm
#            (a written model is loaded in a real VRML browser), poppler-utils
#            (printed PDFs are rasterised), clang-14 libclang-rt-14-dev
#            (libFuzzer and the sanitizer runtimes of the fuzz targets),
#            cups printer-driver-cups-pdf (a sheet printed through a real
#            print queue: the test starts a CUPS server of its own; without
#            recommended packages, which add printer discovery and colour
#            management the test does not use)
#   icons:   librsvg2-bin (the PNG icons are made from the SVG at build time)
#   pictures (scripts/make-guide-pictures.sh only): optipng, and the browser
#            test's chromium nodejs npm
#   package: dpkg-dev file (cpack -G DEB runs dpkg-shlibdeps); the tests add
#            lintian, desktop-file-utils shared-mime-info (the desktop entry
#            and the file types) and libxml2-utils (xmllint)
set -euo pipefail
packages=(cmake ninja-build g++ qt6-base-dev qt6-base-dev-tools libgl-dev
          libqt6printsupport6 qt6-qpa-plugins qt6-translations-l10n fonts-liberation
          fonts-dejavu-core xdg-utils)
packages+=(libmicrohttpd-dev libmicrohttpd12)
packages+=(librsvg2-bin)
packages+=(libzip-dev pkg-config)
case "${1:-}" in
    --tests) packages+=(dpkg-dev file lintian desktop-file-utils shared-mime-info libxml2-utils) ;;
    --package) packages+=(dpkg-dev file) ;;
    --pictures) packages+=(optipng chromium) ;;
esac
if [ "${1:-}" = "--tests" ]; then
    packages+=(xvfb xauth chromium poppler-utils python3 clang-14 libclang-rt-14-dev)
fi
lean=()
if [ "${1:-}" = "--tests" ]; then
    lean+=(cups printer-driver-cups-pdf)
fi
installed() { dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep -q "install ok installed"; }
missing=()
for p in "${packages[@]}"; do
    installed "$p" || missing+=("$p")
done
missingLean=()
for p in "${lean[@]}"; do
    installed "$p" || missingLean+=("$p")
done
# Node.js may come from elsewhere than Debian (with npm inside): ask for the
# commands, not the packages.
if [ "${1:-}" = "--tests" ] || [ "${1:-}" = "--pictures" ]; then
    command -v node >/dev/null 2>&1 || missing+=(nodejs)
    command -v npm >/dev/null 2>&1 || missing+=(npm)
fi
[ ${#missing[@]} -eq 0 ] && [ ${#missingLean[@]} -eq 0 ] && exit 0
sudo=""
[ "$(id -u)" -ne 0 ] && sudo="sudo"
echo "Installing: ${missing[*]} ${missingLean[*]}" >&2
$sudo apt-get update -qq
if [ ${#missing[@]} -gt 0 ]; then
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq "${missing[@]}"
fi
if [ ${#missingLean[@]} -gt 0 ]; then
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missingLean[@]}"
fi
