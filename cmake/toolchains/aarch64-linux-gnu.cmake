# Cross build for 64-bit Arm Linux with Debian's cross compiler and the
# multiarch arm64 packages (libprotobuf-dev:arm64, libgtest-dev:arm64, ...),
# whose libraries live under /usr/lib/aarch64-linux-gnu. Tests and test
# discovery run under user-mode qemu.
#
#   cmake -S . -B build-aarch64 -G Ninja \
#         -DCMAKE_TOOLCHAIN_FILE=cmake/toolchains/aarch64-linux-gnu.cmake
#
# scripts/install-deps.sh --cross installs everything this file expects.

set(CMAKE_SYSTEM_NAME Linux)
set(CMAKE_SYSTEM_PROCESSOR aarch64)

set(KRPROF_CROSS_TRIPLET aarch64-linux-gnu)
set(CMAKE_C_COMPILER ${KRPROF_CROSS_TRIPLET}-gcc)
set(CMAKE_CXX_COMPILER ${KRPROF_CROSS_TRIPLET}-g++)
set(CMAKE_LIBRARY_ARCHITECTURE ${KRPROF_CROSS_TRIPLET})

# No CMAKE_FIND_ROOT_PATH: the arm64 packages are installed in the host's own
# tree, and CMAKE_LIBRARY_ARCHITECTURE already makes find_library() and
# find_package() prefer /usr/lib/aarch64-linux-gnu over the host's libraries.

# Plain qemu, without "-L /usr/aarch64-linux-gnu": the multiarch libc6:arm64
# provides the program loader and the libraries it loads, so loader and libc
# come from the same package. Mixing the cross libc's loader with the
# multiarch libc makes every program that starts a thread or forks hang.
find_program(KRPROF_QEMU_AARCH64 qemu-aarch64-static REQUIRED)
set(CMAKE_CROSSCOMPILING_EMULATOR ${KRPROF_QEMU_AARCH64})

# The message code is generated on the build machine by the host's protoc,
# compiled against the arm64 headers and linked with the arm64 runtime.
# Never install protobuf-compiler:arm64: it replaces the host's protoc.
find_program(Protobuf_PROTOC_EXECUTABLE protoc PATHS /usr/bin NO_DEFAULT_PATH REQUIRED)
set(Protobuf_INCLUDE_DIR /usr/include CACHE PATH "protobuf headers (shared by all architectures)")
set(Protobuf_LIBRARY /usr/lib/${KRPROF_CROSS_TRIPLET}/libprotobuf.so CACHE FILEPATH "arm64 protobuf runtime")
