# Cross build for 64-bit ARM Linux (arm64: the Debian-based 信创 desktops) with
# Debian's cross toolchain (crossbuild-essential-arm64) and the arm64
# libraries installed beside the amd64 ones (multiarch).
set(CMAKE_SYSTEM_NAME Linux)
set(CMAKE_SYSTEM_PROCESSOR aarch64)
set(CMAKE_LIBRARY_ARCHITECTURE aarch64-linux-gnu)

set(CMAKE_C_COMPILER aarch64-linux-gnu-gcc)
set(CMAKE_CXX_COMPILER aarch64-linux-gnu-g++)
set(CMAKE_STRIP aarch64-linux-gnu-strip)
set(CMAKE_OBJDUMP aarch64-linux-gnu-objdump)

# Programs built here run under qemu: the build itself runs the command once,
# for the manual page and the completion.
find_program(TAVO_QEMU_AARCH64 qemu-aarch64-static REQUIRED)
set(CMAKE_CROSSCOMPILING_EMULATOR ${TAVO_QEMU_AARCH64})

# Multiarch: the libraries are in /usr/lib/aarch64-linux-gnu, the headers
# shared in /usr/include; pkg-config reads only the arm64 .pc files.
set(ENV{PKG_CONFIG_LIBDIR} /usr/lib/aarch64-linux-gnu/pkgconfig:/usr/share/pkgconfig)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
