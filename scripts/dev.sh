#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs what is missing (Debian 12, as root), builds, and then either
#   example      builds only `tav` and converts the bundled example board to G-code,
#   test         builds everything and runs the whole test suite with CTest,
#   package      builds the programs and the Debian package build/tavoline_<version>_<arch>.deb,
#   screenshots  renders the user guide's screenshots (UI tests) into docs/img/.
# Extra CMake options can be passed in TAV_CMAKE_ARGS; the build folder in TAV_BUILD_DIR.
# Each command sets the build options it needs, so they can follow each other
# in one build folder.
set -euo pipefail
cd "$(dirname "$0")/.."

build=${TAV_BUILD_DIR:-build}
configure() {
  # Where a compiler cache is installed, a rebuild of unchanged sources is
  # quick; paths count from the project folder, so clones elsewhere share it.
  local launcher=()
  if command -v ccache >/dev/null; then
    export CCACHE_BASEDIR="$PWD" CCACHE_NOHASHDIR=true
    launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
  fi
  # shellcheck disable=SC2086
  cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo "${launcher[@]}" "$@" ${TAV_CMAKE_ARGS:-} >/dev/null
}
qt_packages=(qt6-base-dev qt6-base-dev-tools qt6-translations-l10n qt6-serialport-dev libgl-dev fonts-wine)

case "${1:-}" in
  example)
    # Only the compiler and CMake: `tav` needs neither Qt nor the test libraries.
    bash scripts/install-packages.sh cmake make g++
    configure -DTAV_BUILD_GUI=OFF -DTAV_BUILD_TESTS=OFF -DTAV_BUILD_BENCH=OFF
    cmake --build "$build" -j"$(nproc)" --target tav
    out="$build/example-board.nc"
    "$build/bin/tav" gcode --pnp examples/example-board.csv -o "$out"
    echo "G-code written to $out"
    ;;
  test)
    bash scripts/install-packages.sh cmake make g++ pkg-config libgtest-dev libgmock-dev \
      libbenchmark-dev "${qt_packages[@]}" clang-format desktop-file-utils shared-mime-info
    # The test suite checks LinuxCNC-framed programs with LinuxCNC's own G-code
    # interpreter (rs274); that test is skipped where it is missing.
    bash scripts/install-packages.sh linuxcnc-uspace
    configure -DTAV_BUILD_GUI=ON -DTAV_BUILD_TESTS=ON -DTAV_BUILD_BENCH=ON
    cmake --build "$build" -j"$(nproc)"
    cd "$build"
    QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j"$(nproc)"
    ;;
  package)
    # The tools that build and check the package, and those the package's
    # file types, menu entry, manual pages and completion are tried with.
    bash scripts/install-packages.sh cmake make g++ pkg-config "${qt_packages[@]}" dpkg-dev \
      file lintian desktop-file-utils shared-mime-info xdg-utils bash-completion man-db
    # No tests: the package needs neither GoogleTest nor the benchmark library.
    configure -DTAV_BUILD_GUI=ON -DTAV_BUILD_TESTS=OFF -DTAV_BUILD_BENCH=OFF
    cmake --build "$build" -j"$(nproc)" --target tav tavoline tav_man
    (cd "$build" && cpack -G DEB -B "$PWD" >/dev/null)
    rm -rf "$build/_CPack_Packages"
    deb=$(ls -t "$build"/tavoline_*.deb | head -n 1)
    echo "Package written to $deb"
    lintian --fail-on error "$deb"
    ;;
  screenshots)
    bash scripts/install-packages.sh cmake make g++ pkg-config libgtest-dev libgmock-dev \
      "${qt_packages[@]}"
    configure -DTAV_BUILD_GUI=ON -DTAV_BUILD_TESTS=ON
    cmake --build "$build" -j"$(nproc)" --target tav_ui_tests
    rm -rf "$build/screenshots"
    (cd "$build" && QT_QPA_PLATFORM=offscreen bin/tav_ui_tests --gtest_filter='Screenshots.*:GuideScreenshots.*' >/dev/null)
    mkdir -p docs/img
    cp "$build"/screenshots/*.png docs/img/
    echo "Screenshots copied to docs/img/"
    ;;
  *)
    echo "usage: $0 example|test|package|screenshots" >&2
    exit 2
    ;;
esac
