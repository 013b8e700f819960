// The watch: the first look, then a list at once or a wait and then a list;
// a repeating rule (repeat=) waits again after each list.
#pragma once

bool runDriver();
