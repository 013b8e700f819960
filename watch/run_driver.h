// The watch: the first look, then a list at once or a wait and then a list;
// a repeating rule (repeat=) waits again after each list.
#pragma once

bool runDriver();

// The window thread for a wait, and its end (for the watches).
void startWindowThread();
void stopWindowThread();
// A repeating rule's watch (watch/repeat_watch_win32.cpp).
void repeatingWatch();
