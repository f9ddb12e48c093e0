#!/usr/bin/env bash
# Installs what building and testing Quillo needs on a Debian 12 machine.
# Quick when everything is already there.
set -euo pipefail

need_pkgs=()
have() { command -v "$1" >/dev/null 2>&1; }
want() { dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep -q 'ok installed' || need_pkgs+=("$1"); }

for p in cmake make g++ libgtest-dev libbenchmark-dev \
         g++-mingw-w64-x86-64-posix g++-mingw-w64-i686-posix \
         wine wine64 xvfb xauth xdotool imagemagick locales x11-utils fp-utils nsis p7zip-full zip unzip \
         qemu-user gcc-multilib g++-multilib \
         cups printer-driver-cups-pdf poppler-utils; do
  want "$p"
done

if [ ${#need_pkgs[@]} -gt 0 ]; then
  echo "setup: installing ${need_pkgs[*]}"
  if [ "$(id -u)" -ne 0 ]; then
    echo "setup: run as root (or install: ${need_pkgs[*]})" >&2
    exit 1
  fi
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -q >/dev/null
  apt-get install -y -q --no-install-recommends "${need_pkgs[@]}" >/dev/null
fi

# Wine takes the ANSI and OEM code pages from the locale; without generated
# locales it also mangles non-ASCII command-line arguments.
missing_locale=0
for l in ru_RU.utf8 en_US.utf8; do
  locale -a 2>/dev/null | grep -qx "$l" || missing_locale=1
done
if [ "$missing_locale" -eq 1 ]; then
  echo "setup: generating locales ru_RU.UTF-8 and en_US.UTF-8"
  sed -i -e 's/^# *\(ru_RU.UTF-8 UTF-8\)/\1/' -e 's/^# *\(en_US.UTF-8 UTF-8\)/\1/' /etc/locale.gen
  grep -q '^ru_RU.UTF-8 UTF-8' /etc/locale.gen || echo 'ru_RU.UTF-8 UTF-8' >> /etc/locale.gen
  grep -q '^en_US.UTF-8 UTF-8' /etc/locale.gen || echo 'en_US.UTF-8 UTF-8' >> /etc/locale.gen
  locale-gen >/dev/null
fi
