#!/usr/bin/env bash
# Installs the Debian 12 packages the build and the tests need, only when some are missing.
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config
  qt6-base-dev qt6-base-dev-tools libgl-dev qt6-translations-l10n qt6-svg-dev
  fonts-liberation2 fonts-dejavu-core
  libqcustomplot-dev libxlsxwriter-dev zlib1g-dev
  libusb-0.1-4 libusb-dev
  libgtest-dev libgmock-dev googletest libbenchmark-dev
  clang libclang-rt-14-dev
  xvfb xauth xclip locales
  python3 python3-openpyxl python3-xlrd python3-olefile python3-pil poppler-utils
  desktop-file-utils appstream shared-mime-info lintian dpkg-dev file librsvg2-bin
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -gt 0 ]; then
  echo "setup: installing ${missing[*]}"
  sudo_cmd=()
  [ "$(id -u)" -ne 0 ] && sudo_cmd=(sudo)
  export DEBIAN_FRONTEND=noninteractive
  "${sudo_cmd[@]}" apt-get update
  "${sudo_cmd[@]}" apt-get install -y --no-install-recommends "${missing[@]}"
fi

# The suite runs once under a comma-decimal and once under a full-stop system locale.
wanted_locales=(ru_RU.UTF-8 en_US.UTF-8)
missing_locales=()
for l in "${wanted_locales[@]}"; do
  locale -a 2>/dev/null | grep -qix "${l/UTF-8/utf8}" || missing_locales+=("$l")
done
if [ ${#missing_locales[@]} -gt 0 ]; then
  echo "setup: generating locales ${missing_locales[*]}"
  sudo_cmd=()
  [ "$(id -u)" -ne 0 ] && sudo_cmd=(sudo)
  for l in "${missing_locales[@]}"; do
    "${sudo_cmd[@]}" sed -i "s/^# *\(${l} UTF-8\)/\1/" /etc/locale.gen
    grep -q "^${l} UTF-8" /etc/locale.gen || echo "${l} UTF-8" | "${sudo_cmd[@]}" tee -a /etc/locale.gen >/dev/null
  done
  "${sudo_cmd[@]}" locale-gen
fi
