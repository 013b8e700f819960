// Included first in every Windows build (see CMakeLists.txt). The library
// ships std::wstring's members already compiled, but as one block: a program
// that uses a few members gets all of them, a third of palimoor.exe. With the
// library's own switch for this (-1: no prebuilt string members) the compiler
// builds just the members the program uses, and the linker keeps only those.
#pragma once
#include <bits/c++config.h>
#undef _GLIBCXX_EXTERN_TEMPLATE
#define _GLIBCXX_EXTERN_TEMPLATE -1
