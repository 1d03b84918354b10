// The notice windows LoadFail, NoDrive and Nomem: fixed texts about driver failures, closed by OK.
#pragma once

#include "qvconfig/window/form.h"

namespace qv {

const FormLayout& LoadFailLayout();
const FormLayout& NoDriveLayout();
const FormLayout& NomemLayout();

// A notice: its one button closes (unloads) it.
class Notice : public Form {
public:
    explicit Notice(const FormLayout& layout);
    Button& okButton;
};

class LoadFail : public Notice {
public:
    LoadFail();
};

class NoDrive : public Notice {
public:
    NoDrive();
};

class Nomem : public Notice {
public:
    Nomem();
};

}  // namespace qv
