// The window thread for a wait (the instance's hidden window, its icon and
// the window events), started as a wait begins and stopped as it ends.
#pragma once

void startWindowThread();
void stopWindowThread();
