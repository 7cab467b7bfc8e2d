# Cross-builds the platform layer and its tests for 64-bit Windows with Debian's MinGW-w64: the
# compilers and search rules of the whole program's toolchain, linked statically.
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64-x86_64-qt.cmake)
# Static, so the programs run under Wine without the MinGW DLLs beside them.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")
# Only the plain C++ platform layer is built: Qt is not cross-built here.
set(ZUN_PLATFORM_ONLY ON CACHE BOOL "" FORCE)
