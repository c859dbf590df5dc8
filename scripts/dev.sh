#!/usr/bin/env bash
# Installs what is missing (Debian 12, as root), builds, and then either
#   example  converts the bundled example board to G-code with `tav`, or
#   test     runs the whole test suite with CTest.
# Extra CMake options can be passed in TAV_CMAKE_ARGS; the build folder in TAV_BUILD_DIR.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-packages.sh cmake make g++ pkg-config libgtest-dev libgmock-dev libbenchmark-dev \
  qt6-base-dev qt6-base-dev-tools qt6-translations-l10n qt6-serialport-dev libqt6serialport6 libgl-dev \
  fonts-wine clang-format

# The test suite checks LinuxCNC-framed programs with LinuxCNC's own G-code
# interpreter (rs274); that test is skipped where it is missing.
if [ "${1:-}" = test ]; then
  bash scripts/install-packages.sh linuxcnc-uspace
fi

build=${TAV_BUILD_DIR:-build}
# shellcheck disable=SC2086
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo ${TAV_CMAKE_ARGS:-} >/dev/null
cmake --build "$build" -j"$(nproc)"

case "${1:-}" in
  example)
    out="$build/example-board.nc"
    "$build/bin/tav" gcode --pnp examples/example-board.csv -o "$out"
    echo "G-code written to $out"
    ;;
  test)
    cd "$build"
    QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j"$(nproc)"
    ;;
  *)
    echo "usage: $0 example|test" >&2
    exit 2
    ;;
esac
