// The about box `TForm5`: created at start-up, hidden, shown by About.
#pragma once

#include "ui/Form.h"

namespace qm {

class TForm5 : public TForm {
public:
    explicit TForm5(HWND owner) : TForm(owner, "About", 413, 235) {}
};

}  // namespace qm
