#!/usr/bin/env bash
# Installs what a fresh Debian machine lacks for both builds, the tests
# under wine and Xvfb, fuzzing and benchmarks. Safe to run again.
set -euo pipefail

packages=(cmake ninja-build g++ clang libclang-rt-14-dev googletest libgtest-dev
          libbenchmark-dev mingw-w64 wine wine64 xvfb x11-utils imagemagick locales
          fonts-ipafont-gothic curl python3 xmltv-util
          socat  # a loopback port in front of the tuner server's unix socket (tests/xmltv/mirakurun)
          python3-icalendar  # the tests read the calendar export with a real parser
          libgumbo-dev libexpat1-dev  # the benchmarks' reference HTML and XML parsers, never linked into the program
          chromium chromium-driver python3-selenium  # the web guide's browser test
          zip unzip dpkg-dev systemd man-db lintian)  # the release zip, the .deb and the checks of its units, manual page and package
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "setup: installing ${missing[*]}"
  SUDO=""; [ "$(id -u)" -ne 0 ] && SUDO=sudo
  $SUDO apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq "${missing[@]}" >/dev/null
fi
# Windows programs see code page 932 only under a Japanese locale.
if ! locale -a 2>/dev/null | grep -qi '^ja_JP.utf8$'; then
  SUDO=""; [ "$(id -u)" -ne 0 ] && SUDO=sudo
  grep -q '^ja_JP.UTF-8 UTF-8' /etc/locale.gen || echo 'ja_JP.UTF-8 UTF-8' | $SUDO tee -a /etc/locale.gen >/dev/null
  $SUDO locale-gen >/dev/null
fi
# The tuner server the XMLTV import is tested against (tests/xmltv/mirakurun),
# installed once under build/ without its install scripts. Where npm or its
# registry cannot be reached, the test reads the saved document instead.
server_folder="$(cd "$(dirname "$0")/.." && pwd)/build/mirakurun"
if [ ! -f "$server_folder/node_modules/mirakurun/lib/server.js" ]; then
  if command -v npm >/dev/null && mkdir -p "$server_folder" &&
     (cd "$server_folder" && timeout 300 npm install --ignore-scripts --no-audit --no-fund --loglevel=error \
        mirakurun@3.9.0-rc.4 >npm.log 2>&1); then
    echo "setup: installed mirakurun@3.9.0-rc.4 under build/mirakurun"
  else
    echo "setup: npm could not install mirakurun@3.9.0-rc.4 (see build/mirakurun/npm.log); the tuner server test reads its saved document"
  fi
fi
