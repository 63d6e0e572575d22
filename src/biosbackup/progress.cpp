// Progress hand-off between the window's timer and the worker thread.
#include "biosbackup/backup_core.h"

LONG TickProgress(volatile LONG* percent) {
    const LONG shown = InterlockedCompareExchange(percent, 0, 0);
    // Advance only from the value read: when the worker has set 100 in between,
    // the exchange fails and the next tick shows 100.
    if (shown < 99) InterlockedCompareExchange(percent, shown + 1, shown);
    return shown;
}

void FinishProgress(volatile LONG* percent) {
    InterlockedExchange(percent, 100);
}
