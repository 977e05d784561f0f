#pragma once
// Runs every message this thread has waiting, then returns. A WM_QUIT found
// there is dropped, so that a test that closed a window leaves no quit behind
// for the next one.
void Pump();
