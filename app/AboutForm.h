// The about box `TForm5`: created at start-up, hidden, shown by About.
#pragma once

#include <memory>

#include "caption/GradientCaption.h"
#include "ui/Form.h"

namespace qm {

class TForm5 : public TForm {
public:
    explicit TForm5(HWND owner) : TForm(owner, "About", 413, 235) {
        GradientCaption1 = std::make_unique<TGradientCaption>(Handle());
        ConfigureProgramCaption(*GradientCaption1, "About");
    }

    std::unique_ptr<TGradientCaption> GradientCaption1;
};

}  // namespace qm
