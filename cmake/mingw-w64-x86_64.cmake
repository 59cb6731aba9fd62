# Cross build for 64-bit Windows with Debian's mingw-w64, the POSIX-threads
# variant (g++-mingw-w64-x86-64-posix) so that std::thread and std::mutex work.
# The programs it makes run on a bare Windows (the runtime is linked in), and
# under Wine here, which CTest uses to run the tests.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(APPGEN_MINGW_TRIPLE x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${APPGEN_MINGW_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${APPGEN_MINGW_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER ${APPGEN_MINGW_TRIPLE}-windres)

# Libraries and headers of the target only; programs (python3, wine) of the host.
set(CMAKE_FIND_ROOT_PATH /usr/${APPGEN_MINGW_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# A missing libstdc++/libgcc/winpthread DLL makes a program exit 53 without a
# word, on Windows and under Wine alike: link the whole runtime in.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")

find_program(APPGEN_WINE NAMES wine wine64)
if(APPGEN_WINE)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${APPGEN_WINE})
endif()
