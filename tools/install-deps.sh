#!/bin/sh
# Installs what the build and the tests need on a Debian 12 machine.
# Runs as root, or through sudo otherwise; does nothing when all is present.
set -e
need=""
have() { command -v "$1" >/dev/null 2>&1; }
have i686-w64-mingw32-g++-posix || need="$need g++-mingw-w64-i686-posix mingw-w64-i686-dev binutils-mingw-w64-i686"
have cmake || need="$need cmake"
have wine || need="$need wine"
[ -e /usr/lib/wine/i386-windows/kernel32.dll ] || [ -e /usr/lib/i386-linux-gnu/wine/i386-windows/kernel32.dll ] || need="$need wine32:i386"
have xvfb-run || need="$need xvfb xauth"
have zip || need="$need zip"
have unzip || need="$need unzip"
have 7z || need="$need p7zip-full"
have python3 || need="$need python3"
have xwd || need="$need x11-apps"
# The vendor's builder makes FAT12 floppy images with mtools.
have mformat || need="$need mtools"
[ -d /usr/src/googletest ] || need="$need googletest"
# The decoder's benchmark and fuzz targets: zlib and libdeflate to compare
# with (native and MinGW), clang's libFuzzer runtime.
[ -e /usr/include/zlib.h ] || need="$need zlib1g-dev"
[ -e /usr/include/libdeflate.h ] || need="$need libdeflate-dev"
[ -e /usr/i686-w64-mingw32/include/zlib.h ] || need="$need libz-mingw-w64-dev"
# The decoder's fuzz targets once more for i686 (its 32-bit loops): zlib
# for i386 to link in.
[ -e /usr/lib/i386-linux-gnu/libz.a ] || need="$need zlib1g-dev:i386"
# The old-processor test: the product's code built by the i686 Linux
# compiler of the same GCC, run by qemu-user as a 486 and a Pentium.
have i686-linux-gnu-g++ || need="$need g++-i686-linux-gnu"
have qemu-i386 || need="$need qemu-user"
have clang++ || need="$need clang"
ls /usr/lib/llvm-*/lib/clang/*/lib/linux/libclang_rt.fuzzer-x86_64.a >/dev/null 2>&1 || need="$need libclang-rt-14-dev"
[ -x /usr/bin/time ] || need="$need time"
# Wine takes its ANSI code page from the Unix locale: the code page 932
# tests run it under a generated Japanese one.
japanese=ja_JP.UTF-8
locale -a 2>/dev/null | grep -qix 'ja_JP\.utf-\?8' || locale_missing=1
[ -n "$locale_missing" ] && { [ -x /usr/sbin/locale-gen ] || need="$need locales"; }
[ -z "$need" ] && [ -z "$locale_missing" ] && exit 0
SUDO=""
[ "$(id -u)" = 0 ] || SUDO=sudo
export DEBIAN_FRONTEND=noninteractive
if [ -n "$need" ]; then
  case " $(dpkg --print-foreign-architectures | tr '\n' ' ') " in
    *" i386 "*) ;;
    *) $SUDO dpkg --add-architecture i386 ;;
  esac
  $SUDO apt-get update -qq
  $SUDO apt-get install -y -qq --no-install-recommends $need
fi
if [ -n "$locale_missing" ]; then
  grep -q "^$japanese UTF-8" /etc/locale.gen 2>/dev/null || echo "$japanese UTF-8" | $SUDO tee -a /etc/locale.gen >/dev/null
  $SUDO locale-gen >/dev/null
fi
