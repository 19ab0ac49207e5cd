#pragma once

#include <cstddef>

// A start touches tens of megabytes of fresh heap, and on a virtual machine
// every 4 KB page costs a fault of 12-20 microseconds. Where the system hands
// out transparent huge pages on request, a region of the heap is asked for
// them, so that one fault brings 2 MB. The price is a little more memory: the
// last huge page of the region in use is taken whole.
//
// First thing in main, before any thread starts: prepares about `bytes` of
// the calling thread's heap, and tells the allocator to serve blocks of that
// size from the heap and to keep freed room. False when the allocator does
// not allow it (another allocator, a sanitizer); nothing is changed then.
bool PrepareStartHeap(std::size_t bytes);
// The same for the calling thread's own heap, once PrepareStartHeap has
// succeeded and until EndStartHeap; nothing otherwise. For threads that build
// large data at start.
void PrepareThreadHeap(std::size_t bytes);
// Once started: the allocator goes back to its usual ways, so that a program
// that stays resident for weeks hands freed room back to the system. What is
// in use keeps its pages.
void EndStartHeap();

// The same cost on the code side: the first run of each page of the
// libraries' code, and each first read of their constant data, is a fault.
// Maps in, ahead of use, every page of the read-only file mappings the
// process holds now (code always, constant data up to `largest` bytes a
// mapping, which leaves out large data files such as fonts); pages not in
// memory are read in. Meant for a spare core while the main thread starts.
// Answers the bytes it mapped; 0 where the system cannot do this.
std::size_t PrefaultReadOnlyMappings(std::size_t largest);
