# Shared by run.sh and test.sh: installs the Debian packages that are missing.
# Usage: ensure_packages PKG...   (as root, or through sudo when it is there)

ensure_packages() {
  local missing=() pkg
  for pkg in "$@"; do
    if ! dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q 'install ok installed'; then
      missing+=("$pkg")
    fi
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  local sudo=()
  if [ "$(id -u)" -ne 0 ]; then
    if command -v sudo >/dev/null 2>&1; then sudo=(sudo); else
      echo "Missing packages (${missing[*]}) and no root rights or sudo to install them." >&2
      return 1
    fi
  fi
  echo "Installing: ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  "${sudo[@]}" apt-get update -qq
  "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
}

# What building needs.
BUILD_PACKAGES=(cmake ninja-build g++ ccache qt6-base-dev libgl-dev libbenchmark-dev)
# What running the window needs besides Qt itself.
RUN_PACKAGES=(fonts-wine fonts-liberation2 qt6-wayland)
# What the tests need: PDF tools, a private print server with a PDF queue,
# the desktop-file checkers, the fuzzers' compiler, an X server for screenshots.
TEST_PACKAGES=(xvfb xauth poppler-utils cups cups-client printer-driver-cups-pdf
               desktop-file-utils appstream clang libclang-rt-dev valgrind)

# configure_and_build BUILD_DIR [CMAKE ARGS...]; BUILD_TARGETS="a b" limits the build.
configure_and_build() {
  local dir=$1; shift
  local launcher=() targets=()
  command -v ccache >/dev/null 2>&1 && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
  [ -n "${BUILD_TARGETS:-}" ] && targets=(--target ${BUILD_TARGETS})
  cmake -S . -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo "${launcher[@]}" "$@" >/dev/null
  cmake --build "$dir" --parallel "$(nproc)" "${targets[@]}"
}
