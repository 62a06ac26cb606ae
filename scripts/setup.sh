#!/bin/bash
# Installs the tools the build and the tests need on Debian 12, if any is missing:
#   bash scripts/setup.sh
# Quick when everything is there: it only asks dpkg.
set -u

packages=(
    cmake ninja-build g++ python3 git
    googletest libgtest-dev
    g++-mingw-w64-x86-64-posix g++-mingw-w64-i686-posix
    # The shipped i686 Quelbrin.exe is built by the compiler of the win32
    # thread model, which links no POSIX threads library into it.
    g++-mingw-w64-i686-win32
    binutils-mingw-w64-x86-64 binutils-mingw-w64-i686
    wine64 xvfb imagemagick x11-utils
    # Wine's X11 driver loads these when present; without them windows draw poorly.
    libxrender1 libxrandr2 libxi6 libxcursor1 libxinerama1 libxcomposite1 libxfixes3
    clang libclang-rt-14-dev
    # The shipped i686 Quelbrin.exe runs under the 32-bit Wine, which this
    # kernel can only start through QEMU's user-mode emulation.
    qemu-user-static
)
# From Debian's i386 architecture; without the preloader each 32-bit process
# spends close to a minute starting.
packages_i386=(wine32:i386 wine32-preloader:i386)

installed() {
    [ "$(dpkg-query -W -f='${db:Status-Status}' "$1" 2>/dev/null)" = installed ]
}

missing=()
for p in "${packages[@]}" "${packages_i386[@]}"; do
    installed "$p" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "setup: installing ${missing[*]}"
sudo=()
if [ "$(id -u)" -ne 0 ]; then
    command -v sudo >/dev/null || { echo "setup: not root and no sudo; install: ${missing[*]}" >&2; exit 1; }
    sudo=(sudo)
fi
export DEBIAN_FRONTEND=noninteractive
if ! dpkg --print-foreign-architectures | grep -qx i386; then
    "${sudo[@]}" dpkg --add-architecture i386 || exit 1
fi
"${sudo[@]}" apt-get update -q || exit 1
"${sudo[@]}" env DEBIAN_FRONTEND=noninteractive \
    apt-get install -y -q --no-install-recommends "${missing[@]}" || exit 1

for p in "${missing[@]}"; do
    installed "$p" || { echo "setup: $p did not install" >&2; exit 1; }
done
# Installing the win32 thread model's compiler makes it the one the bare
# i686-w64-mingw32-gcc/g++ names call; this project names its compilers in
# full, but leave those names with the -posix ones as they were before.
if [[ " ${missing[*]} " == *" g++-mingw-w64-i686-win32 "* ]]; then
    for tool in gcc g++; do
        "${sudo[@]}" update-alternatives --set "i686-w64-mingw32-$tool" "/usr/bin/i686-w64-mingw32-$tool-posix" >/dev/null 2>&1
    done
fi
echo "setup: done"
