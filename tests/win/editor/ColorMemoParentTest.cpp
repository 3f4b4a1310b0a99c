// The editor on a window that knows nothing of it (a bare class with the
// default window procedure): OnChange, the repaint after a change and its
// colours work without the parent's help, and the parent still hears of
// the change.
#include <gtest/gtest.h>

#include "MemoHost.h"
#include "TestSupport.h"

namespace qmtest {
namespace {

using qm::TColorMemo;

int parentChanges = 0;

LRESULT CALLBACK BareProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_COMMAND && HIWORD(wParam) == EN_CHANGE) ++parentChanges;
    return DefWindowProcA(window, message, wParam, lParam);
}

class BareParent {
public:
    BareParent() {
        WNDCLASSA windowClass{};
        windowClass.lpfnWndProc = BareProc;
        windowClass.hInstance = GetModuleHandleA(nullptr);
        windowClass.lpszClassName = "QuillmereBareParent";
        windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
        RegisterClassA(&windowClass);  // (already there from an earlier test: fine)
        handle_ = CreateWindowExA(0, "QuillmereBareParent", "Bare parent", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN |
                                  WS_VISIBLE, 0, 0, 500, 300, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
        if (!handle_) throw std::runtime_error("no bare parent");
    }
    ~BareParent() {
        DestroyWindow(handle_);
        PumpMessages();
    }
    HWND Handle() const { return handle_; }

private:
    HWND handle_ = nullptr;
};

TEST(ColorMemoParentTest, WorksOnAWindowThatHandsItNothing) {
    BareParent parent;
    auto memo = std::make_unique<TColorMemo>(parent.Handle(), 7);
    memo->SetBounds(0, 0, 400, 150);
    memo->SetColor(qm::clYellow);
    qm::TFont font;
    font.Name = "MS Sans Serif";
    font.Height = -13;
    font.Color = qm::clNavy;
    memo->SetFont(font);
    AddEditorRules(memo->ColorRules());
    // A second editor on the same window sees only its own changes.
    TColorMemo other(parent.Handle(), 8);
    other.SetBounds(0, 160, 400, 60);
    int changes = 0, otherChanges = 0;
    memo->OnChange = [&] { ++changes; };
    other.OnChange = [&] { ++otherChanges; };

    memo->SetText(L"<p>one\r\nplain words\r\n");
    EXPECT_EQ(changes, 1);  // SetText is a change
    memo->SetSelection(6, 0);
    Settle(*memo);
    EXPECT_EQ(changes, 1);  // moving the caret is none
    parentChanges = 0;
    SendMessageW(memo->Handle(), WM_CHAR, '>', 1);
    EXPECT_EQ(changes, 2);
    EXPECT_EQ(parentChanges, 1);  // handed on
    SendMessageW(memo->Handle(), EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(L"ab"));
    EXPECT_EQ(changes, 3);
    EXPECT_EQ(otherChanges, 0);
    other.SetText(L"x");
    EXPECT_EQ(otherChanges, 1);
    EXPECT_EQ(changes, 3);

    // The typed ">" closed the tag: the repaint after the change coloured it;
    // the rest shows in the font colour on the editor's own background.
    InvalidateRect(parent.Handle(), nullptr, TRUE);
    Settle(*memo);
    const Pixels pixels(memo->Handle());
    EXPECT_GT(pixels.Count(CharsRect(*memo, 0, 6), Ref(kTag)), 0);
    const RECT plain = CharsRect(*memo, Find(*memo, L"plain"), Find(*memo, L"plain") + 10);
    EXPECT_GT(pixels.Count(plain, Ref(qm::clNavy)), 0);
    EXPECT_GT(pixels.Count(plain, Ref(qm::clYellow)), 0);
    EXPECT_EQ(pixels.Count(plain, Ref(qm::clWhite)), 0);
    EXPECT_EQ(pixels.Count(plain, Ref(qm::clBlack)), 0);
    memo->SetReadOnly(true);  // a read-only control asks with WM_CTLCOLORSTATIC
    InvalidateRect(memo->Handle(), nullptr, TRUE);
    Settle(*memo);
    EXPECT_GT(Pixels(memo->Handle()).Count(plain, Ref(qm::clYellow)), 0);

    // An editor gone before its window leaves the window working.
    memo.reset();
    SendMessageW(other.Handle(), WM_CHAR, 'y', 1);
    EXPECT_EQ(otherChanges, 2);
}

}  // namespace
}  // namespace qmtest
