#pragma once
// The lock-key state of the keyboard, for the status bar.

namespace vx {

// Reads Caps Lock and Num Lock from the display. False when the platform
// cannot tell (then both stay false).
bool queryLockKeys(bool& capsLock, bool& numLock);

}  // namespace vx
