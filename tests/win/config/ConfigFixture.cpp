#include "ConfigFixture.h"

#include <stdexcept>

#include "ui/Gdi.h"
#include "ui/WideText.h"

namespace qmtest {

ConfigTest::ConfigTest() {
    char current[MAX_PATH];
    GetCurrentDirectoryA(MAX_PATH, current);
    oldCurrentDir_ = current;
    SetCurrentDirectoryA(dir.Path().c_str());
}

ConfigTest::~ConfigTest() {
    options_.reset();
    form_.reset();
    PumpMessages();
    SetCurrentDirectoryA(oldCurrentDir_.c_str());
}

qm::TForm1& ConfigTest::Start(const std::string& firstArgument) {
    form_ = std::make_unique<qm::TForm1>(firstArgument);
    options_ = std::make_unique<qm::TForm3>(*form_);
    form_->SetSecondaryForms(nullptr, nullptr, options_.get());
    form_->Show(SW_SHOWNOACTIVATE);
    PumpMessages();
    return *form_;
}

void ConfigTest::Command(int id) { SendMessageA(form_->Handle(), WM_COMMAND, MAKEWPARAM(id, 0), 0); }

namespace {
POINT CharPos(HWND edit, int offset) {
    const LRESULT position = SendMessageA(edit, EM_POSFROMCHAR, static_cast<WPARAM>(offset), 0);
    return POINT{static_cast<short>(LOWORD(position)), static_cast<short>(HIWORD(position))};
}

int LineHeight(HWND edit) {
    qm::WindowDC dc(edit);
    HFONT font = reinterpret_cast<HFONT>(SendMessageA(edit, WM_GETFONT, 0, 0));
    qm::SelectedObject selected(dc.Get(), font);
    TEXTMETRICA metrics{};
    GetTextMetricsA(dc.Get(), &metrics);
    return metrics.tmHeight;
}
}  // namespace

RECT TextRect(qm::TColorMemo& memo, const std::string& part) {
    const size_t at = memo.Text().find(qm::Widen(part));
    if (at == std::wstring::npos) throw std::runtime_error("not in the text: " + part);
    const POINT first = CharPos(memo.Handle(), static_cast<int>(at));
    const POINT after = CharPos(memo.Handle(), static_cast<int>(at + part.size()));
    return RECT{first.x, first.y, after.x, first.y + LineHeight(memo.Handle())};
}

int ColourOver(qm::TColorMemo& memo, const std::string& part, qm::TColor color) {
    const Pixels pixels(memo.Handle());
    return pixels.Count(TextRect(memo, part), qm::ToColorRef(color));
}

void Settle(HWND window) {
    PumpMessages();
    UpdateWindow(window);
    PumpMessages();
}

}  // namespace qmtest
