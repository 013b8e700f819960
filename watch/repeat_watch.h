// A repeating rule's watch (repeat=): after each list it waits again.
#pragma once

void repeatingWatch();
