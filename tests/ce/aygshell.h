/* The Windows CE and Pocket PC calls and records palimoor.exe uses that a
 * desktop Windows SDK does not have, declared as the platform's public
 * documentation gives them, for a compile-only check of the handheld's
 * branch. Nothing here is linked or run. */
#pragma once
#include <windows.h>

/* The Pocket PC shell's record for keeping the input panel's state across
 * activations (aygshell). 12 bytes on the device. */
typedef struct {
    DWORD cbSize;
    HWND hwndLastFocus;
    UINT fSipUp : 1;
    UINT fSipOnDeactivation : 1;
    UINT fActive : 1;
    UINT fReserved : 29;
} SHACTIVATEINFO, *PSHACTIVATEINFO;

BOOL WINAPI SHHandleWMSettingChange(HWND hwnd, WPARAM wParam, LPARAM lParam, PSHACTIVATEINFO psai);
BOOL WINAPI SHInitExtraControls(void);
/* The target of a shortcut (a "count#target" text file), at most cbMax characters. */
BOOL WINAPI SHGetShortcutTarget(LPCWSTR szShortcut, LPWSTR szTarget, int cbMax);

#ifdef __cplusplus
static_assert(sizeof(SHACTIVATEINFO) == 12, "the activation record is 12 bytes on the device");
#endif
