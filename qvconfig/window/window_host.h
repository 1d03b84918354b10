// WindowHost: what start-up asks of the platform for each window it creates.
#pragma once

namespace qv {

class Form;

// Gives each window its view, before the window is loaded. The host outlives every
// window it is given; a view it attaches follows the form's own rules of life.
class WindowHost {
public:
    virtual ~WindowHost() = default;
    virtual void Attach(Form& form) = 0;
};

}  // namespace qv
