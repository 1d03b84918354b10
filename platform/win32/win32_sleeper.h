// Win32Sleeper: the thread's pause, through kernel32's Sleep.
#pragma once

#include "platform/sleeper.h"

namespace qv {

class Win32Sleeper : public Sleeper {
public:
    void Sleep(std::uint32_t milliseconds) override;
};

}  // namespace qv
