// The options dialog `TForm3`: created at start-up, hidden, shown by Options.
#pragma once

#include "ui/Form.h"

namespace qm {

class TForm1;

class TForm3 : public TForm {
public:
    explicit TForm3(TForm1& main);
};

}  // namespace qm
