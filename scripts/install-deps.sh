#!/usr/bin/env bash
# Installs the Debian packages that building and testing need, when any is missing.
set -euo pipefail

packages=(
  # build
  cmake ninja-build g++ clang libclang-rt-14-dev pkg-config clang-format
  nlohmann-json3-dev libutf8proc-dev libasio-dev libavahi-client-dev
  libnl-route-3-dev libnl-idiag-3-dev
  libx11-dev libxtst-dev libxi-dev libxkbcommon-dev libxkbcommon-x11-dev libxcb1-dev
  qt6-base-dev qt6-svg-dev qt6-wayland libgl-dev
  # the translation catalogues: lupdate and lrelease, and CMake's Qt6LinguistTools
  qt6-l10n-tools qt6-tools-dev qt6-translations-l10n
  libgtest-dev libgmock-dev libbenchmark-dev
  # the Debian package and its checks
  dpkg-dev lintian desktop-file-utils appstream
  # services and tools the tests start themselves
  dbus avahi-daemon avahi-utils iproute2 util-linux
  xvfb x11-xkb-utils xkb-data x11-utils xdotool trayer
  # Chinese and Japanese glyphs, to measure the panel in those languages
  fonts-wqy-microhei
  # Wayland typing: protocols, and the compositors and tools the tests and benchmark start
  libwayland-dev wayland-protocols sway wtype xwayland
  # KWin, Mutter and portal typing: fake input, D-Bus, the compositors, clipboard tools and a
  # stand-in portal for the tests
  plasma-wayland-protocols libsystemd-dev kwin-wayland mutter wl-clipboard python3-dbus python3-gi
  libglib2.0-bin
  # a stand-in logind and screen saver that lock the session
  python3-dbusmock
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get -o DPkg::Lock::Timeout=600 update -qq
$sudo apt-get install -o DPkg::Lock::Timeout=600 -y -qq --no-install-recommends "${missing[@]}"
