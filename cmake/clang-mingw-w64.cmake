# Cross-compiling for 64-bit Windows with clang and lld, over Debian's MinGW-w64
# headers and libraries and the posix-thread GCC's libstdc++ and runtime (the
# same C++ library and exception handling as cmake/mingw-w64.cmake).
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(CMAKE_C_COMPILER clang-14)
set(CMAKE_CXX_COMPILER clang++-14)
set(CMAKE_C_COMPILER_TARGET x86_64-w64-mingw32)
set(CMAKE_CXX_COMPILER_TARGET x86_64-w64-mingw32)
set(CMAKE_RC_COMPILER x86_64-w64-mingw32-windres)
set(CMAKE_AR x86_64-w64-mingw32-ar)
set(CMAKE_RANLIB x86_64-w64-mingw32-ranlib)

set(CMAKE_SYSROOT /usr/x86_64-w64-mingw32)

# clang does not find GCC's folder by itself: its name carries the thread
# model ("12-posix").
file(GLOB glim_mingw_gcc_dirs LIST_DIRECTORIES true /usr/lib/gcc/x86_64-w64-mingw32/*-posix)
list(SORT glim_mingw_gcc_dirs COMPARE NATURAL ORDER DESCENDING)
list(GET glim_mingw_gcc_dirs 0 glim_mingw_gcc_dir)
if(NOT IS_DIRECTORY "${glim_mingw_gcc_dir}/include/c++")
  message(FATAL_ERROR "No MinGW-w64 posix-thread GCC with libstdc++ under /usr/lib/gcc/x86_64-w64-mingw32")
endif()

set(glim_cxx_includes "")
foreach(dir include/c++ include/c++/x86_64-w64-mingw32 include/c++/backward)
  string(APPEND glim_cxx_includes " -isystem ${glim_mingw_gcc_dir}/${dir}")
endforeach()
# GCC's MinGW-w64 libstdc++ keeps its thread-local variables (std::call_once
# among their users) in emulated TLS: the code that reads them must as well.
set(CMAKE_C_FLAGS_INIT "-femulated-tls")
set(CMAKE_CXX_FLAGS_INIT "-femulated-tls${glim_cxx_includes}")
# -pthread links winpthreads, which the posix-thread libstdc++ and libgcc need.
foreach(kind EXE SHARED MODULE)
  set(CMAKE_${kind}_LINKER_FLAGS_INIT "-fuse-ld=lld -pthread -L${glim_mingw_gcc_dir}")
endforeach()

set(CMAKE_FIND_ROOT_PATH /usr/x86_64-w64-mingw32)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
