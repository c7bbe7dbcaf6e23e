# Cross-building for Debian arm64 on amd64 Debian, with the arm64 libraries installed beside the
# amd64 ones (multiarch: `scripts/install-deps cross-arm64`). No sysroot: headers come from
# /usr/include, libraries and CMake packages from the aarch64-linux-gnu directories, and the
# programs that run during the build (moc, uic, rcc) are the host's. CTest runs every test
# program under qemu's user-mode emulator, which finds the arm64 loader in /lib.
set(CMAKE_SYSTEM_NAME Linux)
set(CMAKE_SYSTEM_PROCESSOR aarch64)
set(CMAKE_C_COMPILER aarch64-linux-gnu-gcc)
set(CMAKE_CXX_COMPILER aarch64-linux-gnu-g++)
set(CMAKE_LIBRARY_ARCHITECTURE aarch64-linux-gnu)
set(CMAKE_CROSSCOMPILING_EMULATOR qemu-aarch64)
set(PKG_CONFIG_EXECUTABLE aarch64-linux-gnu-pkg-config CACHE FILEPATH "pkg-config for arm64")
# CPack names the package and dpkg-shlibdeps looks the libraries up for this architecture.
set(CPACK_DEBIAN_PACKAGE_ARCHITECTURE arm64)
