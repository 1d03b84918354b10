// ShowNormal: the show command that asks for a window at its normal size and place, with the platform's number.
#pragma once

namespace qv {

constexpr int ShowNormal = 1;

}  // namespace qv
