// How a new invocation acts on the instances that are already waiting.
#pragma once

// True when this invocation is to start a watch of its own. For the modes
// that may start one, a per-section lock is held from the look for others
// until releaseStartLock(), so that two quick starts still toggle.
bool applyExecMode();
// Lets the next invocation of this section look: once this instance's window
// exists, or once it has decided not to wait. Does nothing when not held.
void releaseStartLock();
