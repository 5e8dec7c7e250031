#!/usr/bin/env bash
# Vellmar set-up: installs what is missing, builds, then starts the program or runs the tests.
#   ./build.sh run [FILE]   build and start Vellmar, optionally opening FILE
#   ./build.sh test         build and run every test headless
#   ./build.sh bench        build and run the benchmarks (see README)
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
mode=${1:-run}
shift || true

packages=(build-essential cmake qt6-base-dev qt6-svg-dev libgl-dev libgtest-dev libgmock-dev
          libbenchmark-dev fonts-urw-base35 poppler-utils xxd libx11-dev desktop-file-utils appstream)
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
[ "$mode" = bench ] && build="$here/build-bench"
cmake -S "$here" -B "$build" -DCMAKE_BUILD_TYPE=$([ "$mode" = bench ] && echo Release || echo RelWithDebInfo) >/dev/null
cmake --build "$build" -j"$(nproc)"

case "$mode" in
  run)   exec "$build/vellmar" "$@" ;;
  test)  cd "$build" && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j"$(nproc)" ;;
  bench) exec "$here/bench/run.sh" "$build" ;;
  *)     echo "usage: $0 run [FILE] | test | bench" >&2; exit 2 ;;
esac
