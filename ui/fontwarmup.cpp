#include "ui/fontwarmup.h"

#include "core/fileprefetch.h"

#include <fontconfig/fontconfig.h>

TFontConfigWarmup::TFontConfigWarmup()
    : m_thread([] {
          YieldToEveryOtherThread();
          // The library makes the shared configuration once, whichever
          // thread asks first; a loser of the race drops its own copy.
          FcInit();
      })
{
}

TFontConfigWarmup::~TFontConfigWarmup()
{
    m_thread.join();
}
