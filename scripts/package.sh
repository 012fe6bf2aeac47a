#!/usr/bin/env bash
# Builds the Debian package into build/package/: a Release build of the two programs with
# Debian's hardening flags, without tests or benchmarks.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh
build=build/package
export DEB_BUILD_MAINT_OPTIONS=hardening=+all
flags="$(dpkg-buildflags --get CXXFLAGS) $(dpkg-buildflags --get CPPFLAGS)"
# Warnings stay warnings here: a newer compiler must not keep a user from building the package.
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX=/usr \
    -DBUILD_TESTING=OFF -DTAVO_BUILD_BENCHMARKS=OFF -DTAVO_WERROR=OFF \
    -DCMAKE_CXX_FLAGS="$flags" -DCMAKE_EXE_LINKER_FLAGS="$(dpkg-buildflags --get LDFLAGS)" \
    >/dev/null
cmake --build "$build" --target tavo-receiver tavo-send tavo_package_documents
(cd "$build" && cpack -G DEB >/dev/null)
ls "$build"/tavo-receiver_*.deb
