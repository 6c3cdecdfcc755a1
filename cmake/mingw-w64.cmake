# Cross-compiles the core (cmake -DLUMARO_GUI=OFF) for 64-bit Windows with
# Debian's MinGW-w64 compilers (package g++-mingw-w64-x86-64-posix):
#   cmake -S . -B build-win -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64.cmake -DLUMARO_GUI=OFF -DLUMARO_BENCH=OFF
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(CMAKE_C_COMPILER x86_64-w64-mingw32-gcc-posix)
set(CMAKE_CXX_COMPILER x86_64-w64-mingw32-g++-posix)
set(CMAKE_RC_COMPILER x86_64-w64-mingw32-windres)
set(CMAKE_FIND_ROOT_PATH /usr/x86_64-w64-mingw32)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
# A self-contained executable: no MinGW runtime DLLs to ship beside it.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")

# With Wine installed, CTest runs the cross-built tests:
#   cmake --build build-win && ctest --test-dir build-win
find_program(LUMARO_WINE wine)
if(LUMARO_WINE)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${LUMARO_WINE})
endif()
