#!/usr/bin/env bash
# Installs what a fresh Debian machine lacks for both builds, the tests
# under wine and Xvfb, fuzzing and benchmarks. Safe to run again.
set -euo pipefail

packages=(cmake ninja-build g++ clang libclang-rt-14-dev googletest libgtest-dev
          libbenchmark-dev mingw-w64 wine wine64 xvfb x11-utils imagemagick locales
          fonts-ipafont-gothic curl python3 xmltv-util
          python3-icalendar  # the tests read the calendar export with a real parser
          libgumbo-dev libexpat1-dev  # the benchmarks' reference HTML and XML parsers, never linked into the program
          chromium chromium-driver python3-selenium)  # the web guide's browser test
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
