// The notice windows LoadFail, NoDrive and Nomem: fixed texts about driver failures, closed by OK.
#pragma once

#include "qvconfig/window/form.h"

namespace qv {

const FormSpec& LoadFailSpec();
const FormSpec& NoDriveSpec();
const FormSpec& NomemSpec();

// A notice: its one button closes (unloads) it.
class Notice : public Form {
public:
    Notice(const FormSpec& spec, const char* okButtonName);
    Button& OkButton;
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
