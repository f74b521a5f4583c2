#pragma once

// This test program replaces the array forms of operator new and delete and remembers the last
// blocks released, so that a test can see that a block it handed over was released.
bool WasReleased(const void* block);
