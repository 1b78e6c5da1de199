// The single-instance lock: an exclusive lock on a file in the program folder,
// held while the program runs and released at exit (or when the process ends).
#pragma once

namespace pl {

// Takes the lock of the program folder; false when another holder has it
// (another process, or an earlier call of this one that still holds it).
bool AcquireInstanceLock();
// Lets the lock go; nothing when it is not held.
void ReleaseInstanceLock();

}  // namespace pl
