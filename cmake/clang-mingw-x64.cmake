# Cross-compiles the Windows x64 build with Debian's clang and lld, against the headers and
# import libraries of mingw-w64 and the C++ runtime of its GCC (posix thread model): the LLVM
# tools where llvm-mingw and MSYS2's clang environments have them, llvm-dlltool included.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR AMD64)
set(MINGW_TRIPLET x86_64-w64-mingw32)

set(CMAKE_C_COMPILER clang)
set(CMAKE_CXX_COMPILER clang++)
set(CMAKE_C_COMPILER_TARGET ${MINGW_TRIPLET})
set(CMAKE_CXX_COMPILER_TARGET ${MINGW_TRIPLET})
set(CMAKE_RC_COMPILER ${MINGW_TRIPLET}-windres)
set(CMAKE_AR llvm-ar CACHE FILEPATH "")
set(CMAKE_RANLIB llvm-ranlib CACHE FILEPATH "")
set(CMAKE_NM llvm-nm CACHE FILEPATH "")
set(CMAKE_DLLTOOL llvm-dlltool CACHE FILEPATH "")
set(CMAKE_SYSROOT /usr/${MINGW_TRIPLET})

# Debian names GCC's folder "12-posix", a version clang does not recognise: its C++ headers
# and runtime libraries are named here.
file(GLOB gcc_folders /usr/lib/gcc/${MINGW_TRIPLET}/*-posix)
list(SORT gcc_folders COMPARE NATURAL ORDER DESCENDING)
list(GET gcc_folders 0 gcc_folder)
set(CMAKE_CXX_FLAGS_INIT "-isystem ${gcc_folder}/include/c++ \
-isystem ${gcc_folder}/include/c++/${MINGW_TRIPLET} -isystem ${gcc_folder}/include/c++/backward")
set(CMAKE_EXE_LINKER_FLAGS_INIT "-fuse-ld=lld -pthread -L${gcc_folder}")

set(CMAKE_FIND_ROOT_PATH /usr/${MINGW_TRIPLET})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
