// The clipboard's text, for "%%CLIPBOARD%%".
#pragma once
#include <string>

// Empty when there is none, when it cannot be opened, or when its owner
// does not hand it over within a second: an owner that renders its text only
// when asked makes the reader wait for it, and it may hang while rendering.
// The reader then keeps the clipboard open until the owner renders or ends:
// meanwhile no other program can open it, and later reads are empty at once.
std::wstring readClipboardText();
