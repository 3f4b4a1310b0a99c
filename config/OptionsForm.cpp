#include "config/OptionsForm.h"

#include "app/MainForm.h"

namespace qm {

TForm3::TForm3(TForm1& main) : TForm(main.Handle(), "Options", 400, 300) {}

}  // namespace qm
