# Cross-compiles for 64-bit Windows with Debian's MinGW-w64 (posix threads: std::thread works and
# -static needs no extra DLL). PLANDOR_WIN_PREFIX is where scripts/build-windows-deps.sh put the
# Windows libraries.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(triple x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${triple}-gcc-posix)
set(CMAKE_CXX_COMPILER ${triple}-g++-posix)
set(CMAKE_RC_COMPILER ${triple}-windres)

set(PLANDOR_WIN_PREFIX "$ENV{HOME}/.cache/plandor-win/prefix" CACHE PATH "Windows libraries")
set(CMAKE_FIND_ROOT_PATH /usr/${triple} ${PLANDOR_WIN_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
# wx-config names its libraries by absolute folder, so library searches may leave the roots.
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY BOTH)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

set(wxWidgets_CONFIG_EXECUTABLE ${PLANDOR_WIN_PREFIX}/bin/wx-config CACHE FILEPATH "")
set(PKG_CONFIG_EXECUTABLE ${PLANDOR_WIN_PREFIX}/bin/${triple}-pkg-config CACHE FILEPATH "")
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")
# Test programs run through wine.
set(CMAKE_CROSSCOMPILING_EMULATOR wine)
# libssp (asked for by cairo's fortified calls) sits in the compiler's own library folder.
execute_process(COMMAND ${CMAKE_C_COMPILER} -print-file-name=libssp.a OUTPUT_VARIABLE ssp
                OUTPUT_STRIP_TRAILING_WHITESPACE)
get_filename_component(ssp_dir "${ssp}" DIRECTORY)
list(APPEND CMAKE_LIBRARY_PATH ${ssp_dir})
