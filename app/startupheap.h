#pragma once

#include <cstddef>

// A cold start allocates tens of megabytes, and on some virtual machines the
// first touch of each fresh page costs 10-15 us (measured here: 5,000 faults
// took 58-75 ms, against 5-6 ms for the same pages faulted in one batch).
// WarmUpHeap grows the heap by `bytes` at once and has a thread fault the
// pages in, in one batch on the spare core, while the program starts.
// Call first thing in main.
void WarmUpHeap(std::size_t bytes);
// Gives back what the start left unused and puts the allocator's own
// thresholds back; for well after the start. Safe without a warm-up.
void ReleaseWarmHeap();
