#!/usr/bin/env bash
# Vellmar set-up: installs what is missing, builds, then starts the program or runs the tests.
#   ./build.sh run [FILE]   build and start Vellmar, optionally opening FILE
#   ./build.sh test         build and run every test headless
#   ./build.sh bench        build and run the benchmarks (see README)
#   ./build.sh coverage     build with coverage, run every test, print coverage of the non-test code
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
mode=${1:-run}
shift || true

packages=(build-essential cmake qt6-base-dev qt6-svg-dev libgl-dev libgtest-dev libgmock-dev
          libbenchmark-dev fonts-urw-base35 poppler-utils xxd libx11-dev desktop-file-utils appstream)
[ "$mode" = coverage ] && packages+=(gcovr)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  sudo_cmd=""
  [ "$(id -u)" -ne 0 ] && sudo_cmd="sudo"
  $sudo_cmd apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo_cmd apt-get install -y -qq "${missing[@]}"
fi

build="$here/build"
config=(-DCMAKE_BUILD_TYPE=RelWithDebInfo)
case "$mode" in
  bench)    build="$here/build-bench"; config=(-DCMAKE_BUILD_TYPE=Release) ;;
  coverage) build="$here/build-coverage"
            config=(-DCMAKE_BUILD_TYPE=Debug -DVELLMAR_BENCHMARKS=OFF
                    "-DCMAKE_CXX_FLAGS=--coverage -O0 -fprofile-update=atomic" -DCMAKE_EXE_LINKER_FLAGS=--coverage) ;;
esac
cmake -S "$here" -B "$build" "${config[@]}" >/dev/null
cmake --build "$build" -j"$(nproc)"

case "$mode" in
  run)   exec "$build/vellmar" "$@" ;;
  test)  cd "$build" && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j"$(nproc)" ;;
  bench) exec "$here/bench/run.sh" "$build" ;;
  coverage)
    find "$build" -name '*.gcda' -delete
    status=0
    (cd "$build" && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j"$(nproc)") || status=$?
    # gcovr tries its output path by creating and then deleting it, so it is
    # never /dev/null: as root that would delete the device.
    gcovr --root "$here" --object-directory "$build" --exclude "$here/tests/" --exclude "$here/bench/" \
      --exclude "$build/" --exclude '.*CMakeCXXCompilerId.cpp' --exclude-throw-branches --exclude-unreachable-branches --gcov-ignore-parse-errors \
      --print-summary --output "$build/coverage.txt"
    exit $status ;;
  *)     echo "usage: $0 run [FILE] | test | bench | coverage" >&2; exit 2 ;;
esac
