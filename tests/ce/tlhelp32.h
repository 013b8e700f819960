/* The process list on Windows CE: the desktop's declarations, and what the
 * handheld adds to them, as its public documentation gives it (compile-only
 * check, see aygshell.h). */
#pragma once
#include_next <tlhelp32.h>

#define TH32CS_SNAPNOHEAPS 0x40000000 /* leave out the heaps: much less work */
BOOL WINAPI CloseToolhelp32Snapshot(HANDLE hSnapshot);
