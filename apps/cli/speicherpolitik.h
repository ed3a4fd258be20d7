// Memory policy of the `vk` process. The library leaves the allocator to its host; `vk` prices one
// invoice per process and sets it for that pattern.
#pragma once

namespace vkcli {

// Large buffers from the heap, never given back before the process ends, and the first 30 MB of
// the heap backed by huge pages where the system offers them on request.
void SpeicherpolitikSetzen();

}  // namespace vkcli
