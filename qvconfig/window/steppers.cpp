// Up/down steppers: positioning a bar for a value, and telling the direction of a change.
#include "qvconfig/window/steppers.h"

#include <algorithm>

#include "qvconfig/settings/numbers.h"

namespace qv {

std::int16_t StepperPosition(double value) {
    const std::int16_t position = RoundToInt16(ScrollBar::Max - value);
    return static_cast<std::int16_t>(std::max<int>(position, ScrollBar::Min));
}

void PositionStepper(ScrollBar& bar, std::int16_t& remembered, double value) {
    PlaceStepperAt(bar, remembered, StepperPosition(value));
}

void PlaceStepperAt(ScrollBar& bar, std::int16_t& remembered, std::int16_t position) {
    remembered = position;
    bar.SetValue(remembered);
}

StepOutcome TakeStep(ScrollBar& bar, std::int16_t& remembered, bool frozen, const std::function<bool()>& stepUp,
                     const std::function<bool()>& stepDown) {
    if (frozen) {
        bar.SetValue(remembered);
        return StepOutcome::Frozen;
    }
    const int value = bar.Value();
    if (value == remembered) return StepOutcome::NoMovement;
    const bool taken = value < remembered ? stepUp() : stepDown();
    if (!taken) {
        bar.SetValue(remembered);
        return StepOutcome::Refused;
    }
    // The bar's value is always within 0..32767, so it fits the 16-bit member.
    remembered = static_cast<std::int16_t>(bar.Value());
    return StepOutcome::Stepped;
}

}  // namespace qv
