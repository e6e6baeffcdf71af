# Shared by scripts/run and scripts/test: install what is missing, then
# configure and build one flavour. Sourced, not run.
# VO_JOBS, when set, is the most build jobs (and test processes) at once;
# otherwise the number of processors.
set -euo pipefail

VO_ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
VO_JOBS="${VO_JOBS:-$(nproc)}"
if ! [[ "$VO_JOBS" =~ ^[1-9][0-9]*$ ]]; then
  echo "VO_JOBS must be a positive whole number, not '$VO_JOBS'" >&2
  exit 2
fi

# Debian packages the build, the tests and the game need.
VO_PACKAGES=(
  cmake ninja-build g++ clang libclang-rt-14-dev lld ccache pkg-config
  libgtest-dev libgmock-dev libbenchmark-dev
  libsdl2-dev libgl-dev libegl-dev libgl1-mesa-dri libegl-mesa0 xvfb xauth
  libsndfile1-dev
  libavformat-dev libavcodec-dev libavutil-dev libswscale-dev libswresample-dev
  libmimalloc-dev libfreetype-dev fonts-dejavu-core xdotool
)

vo_ensure_packages() {
  local missing=()
  local p
  for p in "${VO_PACKAGES[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
      missing+=("$p")
    fi
  done
  if [ ${#missing[@]} -eq 0 ]; then
    return 0
  fi
  echo "Installing: ${missing[*]}"
  local sudo=""
  if [ "$(id -u)" -ne 0 ]; then sudo="sudo"; fi
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
}

# vo_build <folder under build/> [cmake options...]
# Builds the targets named in VO_TARGETS (an array), or everything when it is
# empty or unset.
vo_build() {
  local dir="$VO_ROOT/build/$1"
  shift
  export CCACHE_BASEDIR="$VO_ROOT"
  export CCACHE_MAXSIZE="${CCACHE_MAXSIZE:-5G}"
  if [ ! -f "$dir/build.ninja" ]; then
    cmake -S "$VO_ROOT" -B "$dir" -G Ninja "$@"
  fi
  local targets=()
  local target
  for target in "${VO_TARGETS[@]}"; do
    targets+=(--target "$target")
  done
  cmake --build "$dir" -j "$VO_JOBS" "${targets[@]}"
}
