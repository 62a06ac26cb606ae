# The shipped i686 Quelbrin.exe: Debian's MinGW compiler of the win32 thread
# model (package g++-mingw-w64-i686-win32). Its libstdc++ needs no POSIX
# threads library, about 31 KB that the -posix compiler's links in. The
# program uses no std::thread or std::mutex; the tests, whose GoogleTest
# does, keep the -posix compiler (toolchain-mingw32.cmake).
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR i686)
set(CMAKE_C_COMPILER i686-w64-mingw32-gcc-win32)
set(CMAKE_CXX_COMPILER i686-w64-mingw32-g++-win32)
set(CMAKE_RC_COMPILER i686-w64-mingw32-windres)
set(CMAKE_FIND_ROOT_PATH /usr/i686-w64-mingw32)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
