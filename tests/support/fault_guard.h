#pragma once

// Fails the running test at a fault (an access violation and the like) raised in the program's
// own code. The system swallows one raised in a window procedure it called from its own frames,
// and the program goes on as if nothing happened; on another system the same fault can end it.
void GuardAgainstFaults();
