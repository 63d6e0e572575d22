// The pauses the driver work prescribes (fan settling, LED default storage). They
// block the user-interface thread by design; tests make them instant.
#pragma once

void GpuPause(unsigned milliseconds);

// Tests only: true makes every pause return at once.
void SkipGpuPausesForTesting(bool skip);
