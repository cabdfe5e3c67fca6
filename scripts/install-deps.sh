#!/usr/bin/env bash
# Installs every Debian package the project needs to build, test, benchmark and fuzz.
# Idempotent and non-interactive: does nothing when everything is already there.
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config git clang libclang-rt-14-dev
  zlib1g-dev libzip-dev libpng-dev nettle-dev nlohmann-json3-dev libgtest-dev libbenchmark-dev
  qt6-base-dev qt6-tools-dev qt6-l10n-tools qt6-translations-l10n libsdl2-dev
  opense-basic libz80ex-dev z80dasm
  xvfb xauth x11-utils imagemagick
  dpkg-dev file desktop-file-utils appstream
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=""
[ "$(id -u)" -ne 0 ] && sudo="sudo"
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq
$sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
