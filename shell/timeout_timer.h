// The waiting instance's timeout, as a chain of timer steps on the window
// thread (shell/timeout_chain.h decides the steps). When the chain runs out it
// sets the instance's timed-out flag and closes the shell window.
#pragma once
#include <windows.h>

// On the window thread only; start does nothing while armed.
void startTimeoutTimer();
void stopTimeoutTimer();
// A step fired (WM_TIMEOUT_STEP, with its id).
void onTimeoutStep(UINT firedId);
