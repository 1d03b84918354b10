// Sleeper: pausing the program's thread (the device probe after a start waits with it).
#pragma once

#include <cstdint>

namespace qv {

class Sleeper {
public:
    virtual ~Sleeper() = default;
    // Sleeps `milliseconds`, handling no window events meanwhile.
    virtual void Sleep(std::uint32_t milliseconds) = 0;
};

}  // namespace qv
