#include "ui/startwarmup.h"

#include "core/fileprefetch.h"
#include "core/startheap.h"

#include <fontconfig/fontconfig.h>

namespace {
// Constant data larger than this is mostly data files (the character tables
// of the text converter, for one) of which a start reads little.
constexpr std::size_t kLargestConstantData = std::size_t(8) << 20;
} // namespace

TStartWarmup::TStartWarmup()
    : m_thread([] {
          YieldToEveryOtherThread();
          PrefaultReadOnlyMappings(kLargestConstantData);
          // The library makes the shared configuration once, whichever
          // thread asks first; a loser of the race drops its own copy.
          FcInit();
          // Meanwhile Qt has loaded its display plugin and the libraries
          // that come with it.
          PrefaultReadOnlyMappings(kLargestConstantData);
      })
{
}

TStartWarmup::~TStartWarmup()
{
    m_thread.join();
}
