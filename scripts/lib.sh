# Shared settings for the scripts. Sourced, not run.
ZB_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
# Cross-built third-party libraries live outside the tree and survive a fresh clone.
ZB_DEPS=${ZB_DEPS:-/var/cache/zephon-deps}
# The two Windows builds: win64 (x86_64) and win32 (i686), each with its toolchain file and libraries.
zb_deps_dir() { echo "$ZB_DEPS/$1"; }
zb_toolchain() {
  case $1 in
    win64) echo "$ZB_ROOT/cmake/mingw-w64-x86_64.cmake" ;;
    win32) echo "$ZB_ROOT/cmake/mingw-w64-i686.cmake" ;;
  esac
}
ZB_BUILD=${ZB_BUILD:-$ZB_ROOT/build}
export WINEPREFIX=${WINEPREFIX:-$ZB_BUILD/wineprefix}
export WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-mscoree,mshtml=}
export WINEARCH=win64
# Wine turns Windows file names into Unix ones through the process's locale: without a UTF-8 one,
# names such as "Léame.txt" cannot be created. Every Debian has C.UTF-8, whatever the caller set.
export LANG=C.UTF-8 LC_ALL=C.UTF-8
log() { printf '[%s] %s\n' "$(basename "$0")" "$*" >&2; }
