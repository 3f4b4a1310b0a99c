// A plain window holding colouring editors (it hands them none of its
// messages: the editors see what they need themselves), and helpers to look
// at what they show.
#pragma once

#include <windows.h>

#include "Pixels.h"

#include <cstdint>
#include <initializer_list>
#include <memory>
#include <string>
#include <vector>

#include "editor/ColorMemo.h"
#include "ui/Window.h"

namespace qmtest {

// Distinct colours for the three rules of the document editors.
inline constexpr qm::TColor kTag = 0x000000FF;      // red
inline constexpr qm::TColor kQuoted = 0x00FF0000;   // blue
inline constexpr qm::TColor kComment = 0x00008000;  // green

// Tags "<" to ">", quoted values (ZOrder 1) and comments (ZOrder 1).
void AddEditorRules(qm::TDrawRules& rules, int tagKeyMaxHeight = 3);

class MemoHost : public qm::TWindow {
public:
    // A shown window with one editor of the given client size at (0, 0):
    // white, black "MS Sans Serif" text, no scroll bars, the three rules,
    // not focused (no caret in the pictures).
    MemoHost(int clientWidth, int clientHeight);
    ~MemoHost() override;

    qm::TColorMemo& Memo() { return *memos_.front(); }
    // Another editor beside the first one.
    qm::TColorMemo& AddMemo(int left, int top, int width, int height);
    // Gives the editor this client size.
    void SetClientSize(qm::TColorMemo& memo, int width, int height);

private:
    std::vector<std::unique_ptr<qm::TColorMemo>> memos_;
};

COLORREF Ref(qm::TColor color);
// Client position of a character (EM_POSFROMCHAR).
POINT CharPos(HWND edit, int offset);
// Line height of the editor's font.
int LineHeight(qm::TColorMemo& memo);
// The cells of the characters from..to of one line.
RECT CharsRect(qm::TColorMemo& memo, int from, int to);
// Index of the first occurrence of `part` in the editor's text.
int Find(qm::TColorMemo& memo, const std::wstring& part, int from = 0);
// Lets the editor paint and handles what is waiting.
void Settle(qm::TColorMemo& memo);

// Real input, as the user gives it (SendInput), handled before they return.
// The keys are pressed in order and released in the reverse order.
void PressKeys(std::initializer_list<WORD> keys);
enum class Button { Left, Right, Middle };
// A click at a client point of the window, with these keys held.
void Click(HWND window, POINT client, Button button, std::initializer_list<WORD> held = {}, bool twice = false);
// Puts the text on the clipboard (as Unicode text).
void SetClipboardText(HWND owner, const std::wstring& text);

}  // namespace qmtest
