#pragma once

#include <thread>

// Work done on the spare core while Qt starts, for what the window needs
// soon after; the start never waits for it, as whatever is not done by then
// the main thread simply does itself.
// - The pages of the libraries' code and constant data are mapped in: on a
//   virtual machine each first touch of one is a costly fault.
// - The system's font configuration is loaded: the first text the window
//   measures would otherwise wait for it (parsing the configuration files
//   and mapping the font caches takes several milliseconds). Loading it
//   twice is harmless.
class TStartWarmup
{
public:
    TStartWarmup();
    ~TStartWarmup(); // waits for the work to end
    TStartWarmup(const TStartWarmup &) = delete;
    TStartWarmup &operator=(const TStartWarmup &) = delete;

private:
    std::thread m_thread;
};
