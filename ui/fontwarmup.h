#pragma once

#include <thread>

// Loads the system's font configuration on the spare core while Qt starts.
// The first text the window measures would otherwise wait for it: parsing
// the configuration files and mapping the font caches takes several
// milliseconds, and Qt needs none of it until the window is built. Loading
// it twice is harmless, so the window never waits for this thread.
class TFontConfigWarmup
{
public:
    TFontConfigWarmup();
    ~TFontConfigWarmup(); // waits for the loading to end
    TFontConfigWarmup(const TFontConfigWarmup &) = delete;
    TFontConfigWarmup &operator=(const TFontConfigWarmup &) = delete;

private:
    std::thread m_thread;
};
