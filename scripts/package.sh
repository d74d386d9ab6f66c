#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Builds the Debian package of Vorlix: a Release build with Debian's own
# compiler and linker flags (dpkg-buildflags: fortify, relro, bindnow), without
# the tests, packed by CPack into build-package/vorlix_VERSION-REVISION_ARCH.deb.
# Arguments go to CMake (CI adds -DVORLIX_WERROR=ON).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh dpkg-dev file librsvg2-bin

export DEB_BUILD_MAINT_OPTIONS=hardening=+all
cmake -S . -B build-package -G Ninja -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX=/usr -DBUILD_TESTING=OFF \
  -DCMAKE_C_FLAGS="$(dpkg-buildflags --get CFLAGS) $(dpkg-buildflags --get CPPFLAGS)" \
  -DCMAKE_CXX_FLAGS="$(dpkg-buildflags --get CXXFLAGS) $(dpkg-buildflags --get CPPFLAGS)" \
  -DCMAKE_EXE_LINKER_FLAGS="$(dpkg-buildflags --get LDFLAGS)" "$@"
cmake --build build-package -j "$(nproc)"
(cd build-package && cpack -G DEB)
ls build-package/*.deb
