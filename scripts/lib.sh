# Shared by scripts/test and scripts/demo: installing what a fresh Debian 12 machine lacks, and a
# Wine prefix with a display that the calling script owns and stops again.

vfx_root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)

vfx_need_packages() {
  local missing=()
  command -v cmake >/dev/null || missing+=(cmake)
  command -v g++ >/dev/null || missing+=(g++)
  [ -f /usr/src/googletest/CMakeLists.txt ] || missing+=(googletest)
  [ -f /usr/include/gtest/gtest.h ] || missing+=(libgtest-dev)
  [ -f /usr/include/benchmark/benchmark.h ] || missing+=(libbenchmark-dev)
  [ -f /usr/include/CLI/CLI.hpp ] || missing+=(libcli11-dev)
  command -v i686-w64-mingw32-g++-posix >/dev/null || missing+=(g++-mingw-w64-i686-posix)
  command -v x86_64-w64-mingw32-g++-posix >/dev/null || missing+=(g++-mingw-w64-x86-64-posix)
  command -v wine >/dev/null || missing+=(wine)
  dpkg -s wine32:i386 >/dev/null 2>&1 || missing+=(wine32:i386)
  dpkg -s wine64 >/dev/null 2>&1 || missing+=(wine64)
  command -v Xvfb >/dev/null || missing+=(xvfb)
  command -v import >/dev/null || missing+=(imagemagick)
  command -v xdotool >/dev/null || missing+=(xdotool)
  [ -d /usr/share/fonts/opentype/comic-neue ] || missing+=(fonts-comic-neue)
  dpkg -s fonts-wine >/dev/null 2>&1 || missing+=(fonts-wine)
  dpkg -s fonts-liberation >/dev/null 2>&1 || missing+=(fonts-liberation)
  command -v clang++ >/dev/null || missing+=(clang)
  command -v clang-tidy >/dev/null || missing+=(clang-tidy)
  command -v clang-format >/dev/null || missing+=(clang-format)
  dpkg -s libclang-rt-14-dev >/dev/null 2>&1 || missing+=(libclang-rt-14-dev)
  if [ ${#missing[@]} -gt 0 ]; then
    echo "installing: ${missing[*]}"
    if ! dpkg --print-foreign-architectures | grep -qx i386; then dpkg --add-architecture i386; fi
    # A mirror in the middle of a sync may serve one index that does not match its release file;
    # the others are still good, and what they list installs.
    apt-get update -qq >/tmp/vfx-apt-update.log 2>&1 || {
      echo "apt-get update was not clean; going on with the indexes it has:"
      grep '^E:' /tmp/vfx-apt-update.log | head -3
    }
    if ! vfx_apt_install "${missing[@]}"; then
      # The 32-bit Wine needs the i386 indexes whole; without it the Windows suites run on the
      # 64-bit build, as on a kernel without 32-bit support.
      local others=() package
      for package in "${missing[@]}"; do [ "$package" = wine32:i386 ] || others+=("$package"); done
      [ ${#others[@]} -lt ${#missing[@]} ] && vfx_apt_install "${others[@]}" &&
        echo "wine32:i386 could not be installed: the Windows suites run on the 64-bit build" ||
        { tail -20 /tmp/vfx-apt.log; return 1; }
    fi
  fi
}

vfx_apt_install() {
  DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "$@" \
    >/tmp/vfx-apt.log 2>&1
}

vfx_started_pids=()

# A display for the Windows programs: the caller's, or an Xvfb of our own.
vfx_need_display() {
  if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then return 0; fi
  local n
  for n in $(seq 90 120); do
    [ -e /tmp/.X11-unix/X$n ] || [ -e /tmp/.X$n-lock ] || break
  done
  Xvfb :$n -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
  vfx_started_pids+=($!)
  export DISPLAY=:$n
  local tries
  for tries in $(seq 50); do
    xdpyinfo >/dev/null 2>&1 && return 0
    sleep 0.1
  done
  echo "Xvfb did not start" >&2
  return 1
}

# The Windows build whose programs this machine can run under Wine: the shipped 32-bit one, or,
# where the kernel runs no 32-bit code at all (IA-32 emulation off, so the 32-bit Wine loader
# fails to start), the 64-bit build of the same sources.
vfx_windows_preset() {
  if /usr/lib/wine/wine --version >/dev/null 2>&1; then echo win32; else echo win64; fi
}

# For a 64-bit prefix: Debian's wine and wine-stable commands start the 32-bit loader whenever
# it is installed, runnable or not; these stand-ins, first on PATH, start the 64-bit one.
vfx_use_wine64() {
  local bin=$vfx_root/build/wine64-bin name
  mkdir -p "$bin"
  for name in wine wine-stable; do
    printf '#!/bin/sh
export WINELOADER=/usr/lib/wine/wine64
exec /usr/lib/wine/wine64 "$@"
' \
      >"$bin/$name"
    chmod +x "$bin/$name"
  done
  case ":$PATH:" in *":$bin:"*) ;; *) export PATH=$bin:$PATH ;; esac
  export WINELOADER=/usr/lib/wine/wine64 WINESERVER=/usr/lib/wine/wineserver64
}

# The build folder's own Wine prefix, created on first use, with its wineserver kept running
# while the caller works so that every program start does not pay for a new server. The second
# argument is the preset (win32 unless given), which decides the prefix's word size.
vfx_need_wine_prefix() {
  export WINEPREFIX=$1 WINEARCH=${2:-win32} WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
  if [ "$WINEARCH" = win64 ]; then vfx_use_wine64; fi
  if [ ! -f "$WINEPREFIX/system.reg" ]; then
    mkdir -p "$WINEPREFIX"
    wineboot -i >/dev/null 2>&1
    wineserver -w
  fi
  # Also for a prefix made before these settings existed.
  if ! grep -q 'X11 Driver' "$WINEPREFIX/user.reg" 2>/dev/null; then
    # Comic Sans MS is asked for by name; Comic Neue is the closest face Debian ships.
    wine reg add 'HKCU\Software\Wine\Fonts\Replacements' /v 'Comic Sans MS' /d 'Comic Neue' /f \
      >/dev/null 2>&1 || true
    # Without a window manager Wine waits for one on every window it destroys (DestroyWindow
    # returns only with the next input event); unmanaged windows need no answer.
    wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1 || true
    # Wine's own Wingdings, Marlett and Tahoma: the arrows and caption buttons draw as on Windows.
    cp /usr/share/wine/fonts/*.ttf "$WINEPREFIX/drive_c/windows/Fonts/" 2>/dev/null || true
  fi
  wineserver -p >/dev/null 2>&1
  # Wine's own services start with the first program and stay for the server's life. Started
  # here, they hold /dev/null rather than the output pipe of whatever test runs first, which
  # would otherwise keep ctest waiting for that pipe to close.
  wine cmd /c exit </dev/null >/dev/null 2>&1
}

vfx_cleanup() {
  if [ -n "${WINEPREFIX:-}" ]; then wineserver -k >/dev/null 2>&1 || true; fi
  local pid
  for pid in "${vfx_started_pids[@]}"; do kill "$pid" 2>/dev/null || true; done
  vfx_started_pids=()
}
