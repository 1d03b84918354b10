// Up/down steppers: a small scroll bar beside a field, read only for the direction of each change.
#pragma once

#include <cstdint>
#include <functional>

#include "qvconfig/window/controls.h"

namespace qv {

// The bar position that stands for `value` when a field is positioned rather than
// stepped: 32767 - value, to the nearest integer (halves to even), kept within the
// bar's range 0..32767 so that the remembered 16-bit value always equals the bar.
std::int16_t StepperPosition(double value);

// Positions a stepper for `value`: the remembered value first, then the bar, so that
// the bar's change rule finds the two equal and takes no step.
void PositionStepper(ScrollBar& bar, std::int16_t& remembered, double value);
// The same for a given bar position.
void PlaceStepperAt(ScrollBar& bar, std::int16_t& remembered, std::int16_t position);

enum class StepOutcome { NoMovement, Stepped, Refused, Frozen };

// One change of a stepper's value, compared with the remembered value: a lower value
// runs `stepUp`, a higher one `stepDown`. A step that returns true is taken and the
// bar's new value is remembered; one that returns false is refused and the bar is
// set back to the remembered value (whose nested change finds no movement). A
// `frozen` stepper takes no step at all: its bar is set back before anything else.
StepOutcome TakeStep(ScrollBar& bar, std::int16_t& remembered, bool frozen, const std::function<bool()>& stepUp,
                     const std::function<bool()>& stepDown);

}  // namespace qv
