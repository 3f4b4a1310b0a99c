// TColorMemo: the editor control of every document, over the native
// multi-line EDIT control (a Unicode one, subclassed), which keeps the text,
// caret, selection, scrolling and undo. Texts are UTF-16; positions count
// UTF-16 units, a surrogate pair (an emoji) two of them. After the native control has painted, the
// control paints the visible text again in the colours its rules find
// (RedrawColors): tags, quoted values, comments, hot spots.
#pragma once

#include <windows.h>

#include <array>
#include <functional>
#include <string>
#include <vector>

#include "editor/ColorPainter.h"
#include "editor/ColorTypes.h"
#include "editor/EditQueries.h"
#include "editor/MemoCanvas.h"
#include "editor/MemoInput.h"
#include "editor/MemoText.h"
#include "editor/UndoHistory.h"
#include "ui/Font.h"
#include "ui/Gdi.h"

namespace qm {

enum class TScrollStyle { ssNone, ssHorizontal, ssVertical, ssBoth };

// Mouse cursors of the control. crDefault leaves the cursor to the native
// control (an I-beam); crHotSpot is the program's pointing hand.
using TCursor = int;
inline constexpr TCursor crDefault = 0;
inline constexpr TCursor crHotSpot = 1;
inline constexpr TCursor crArrow = -2;
inline constexpr TCursor crIBeam = -4;

// Keys and buttons held during a key or mouse event.
using TShiftState = unsigned;
inline constexpr TShiftState ssShift = 1, ssAlt = 2, ssCtrl = 4, ssLeft = 8, ssRight = 16, ssMiddle = 32,
                             ssDouble = 64;
enum class TMouseButton { mbLeft, mbRight, mbMiddle };

class TColorMemo;
using TNotifyEvent = std::function<void(TColorMemo& Sender)>;
// SRC: the hot spot's text, in UTF-8.
using THotSpotClickEvent = std::function<void(TColorMemo& Sender, const std::string& SRC)>;
// Draws a keyword run instead of the control: its text, the rectangle it
// takes (line height high, as wide as the text) and the control's font
// colour; the canvas's font colour is already the run's colour.
using TKeyDrawEvent =
    std::function<void(TMemoCanvas& Canvas, const std::wstring& PKey, const RECT& Rect, TColor KColor)>;
// Key events may change the key; a key set to 0 does not reach the native control.
using TKeyEvent = std::function<void(TColorMemo& Sender, WORD& Key, TShiftState Shift)>;
using TMouseEvent = std::function<void(TColorMemo& Sender, TMouseButton Button, TShiftState Shift, int X, int Y)>;
using TMouseMoveEvent = std::function<void(TColorMemo& Sender, TShiftState Shift, int X, int Y)>;

class TColorMemo {
    // First, for the members below that refer to them.
    HWND handle_ = nullptr;
    TColorPainter painter_;
    TColorMemoStats stats_;

public:
    TColorMemo(HWND parent, int id);
    virtual ~TColorMemo();
    TColorMemo(const TColorMemo&) = delete;
    TColorMemo& operator=(const TColorMemo&) = delete;

    HWND Handle() const { return handle_; }
    HWND Parent() const { return parent_; }
    // The control behind a window handle, or nullptr.
    static TColorMemo* FromHandle(HWND window);

    // Geometry and visibility.
    void SetBounds(int left, int top, int width, int height);
    int Left() const { return left_; }
    int Top() const { return top_; }
    int Width() const { return width_; }
    int Height() const { return height_; }
    void SetVisible(bool visible);
    bool Visible() const { return visible_; }
    void SetFocus();
    bool Enabled() const { return IsWindowEnabled(handle_) != FALSE; }

    // Text. SetText refuses (throws) a text the control did not take whole.
    // Setting the text (also by WM_SETTEXT) is a change like any other (OnChange).
    std::wstring Text() const;
    void SetText(std::wstring_view text);
    // In UTF-16 units.
    int TextLength() const;
    // Lines as an editor counts them: without a final empty line.
    int LineCount() const;
    bool Modified() const;
    void SetModified(bool modified);

    int SelStart() const;
    int SelLength() const;
    void SetSelection(int start, int length);

    // Settings.
    bool ReadOnly() const { return readOnly_; }
    void SetReadOnly(bool readOnly);
    TColor Color() const { return color_; }
    void SetColor(TColor color);
    const TFont& Font() const { return font_; }
    void SetFont(const TFont& font);
    bool WordWrap() const { return wordWrap_; }
    // Word wrap and the scroll bars are styles the native control takes
    // only when it is made: changing them makes it again (ColorMemoWrap.cpp)
    // with the text, selection, first visible text, modified mark and focus
    // it had; the object, its settings, rules, menu and events stay. With
    // word wrap on there is never a horizontal scroll bar.
    void SetWordWrap(bool wordWrap);
    TScrollStyle ScrollBars() const { return scrollBars_; }
    void SetScrollBars(TScrollStyle scrollBars);
    // Both at once, with at most one re-creation.
    void SetWordWrap(bool wordWrap, TScrollStyle scrollBars);
    // True: tab characters get keys of their own, which keep them out of the
    // coloured runs (tabs are never drawn over either way).
    bool WantTabs() const { return wantTabs_; }
    void SetWantTabs(bool wantTabs) { wantTabs_ = wantTabs; }
    TCursor Cursor() const { return cursor_; }
    void SetCursor(TCursor cursor);
    // The image of a cursor value; null for crDefault.
    static HCURSOR CursorImage(TCursor cursor);

    // The context menu (owned elsewhere) whose commands go to `commandTarget`;
    // it opens on a right click only while enabled.
    void SetPopupMenu(HMENU menu, HWND commandTarget);
    HMENU PopupMenu() const { return popupMenu_; }
    void SetPopupEnabled(bool enabled) { popupEnabled_ = enabled; }
    bool PopupEnabled() const { return popupEnabled_; }

    // --- Colouring -------------------------------------------------------
    TDrawRules& ColorRules() { return painter_.ColorRules; }
    const TDrawRules& ColorRules() const { return painter_.ColorRules; }
    // The rules become copies of the given ones; `rules` stays the caller's.
    void SetColorRules(const TDrawRules& rules) { painter_.SetColorRules(rules); }
    THotSpot& HotSpot() { return painter_.HotSpot; }
    const THotSpot& HotSpot() const { return painter_.HotSpot; }
    void SetHotSpot(const THotSpot& hotSpot) { painter_.SetHotSpot(hotSpot); }
    // Records in DrawEventBuf, the array OnDraw fills; 0: none, and
    // dtEventDraw rules find nothing.
    int ColorLimMax() const { return painter_.ColorLimMax(); }
    void SetColorLimMax(int value) { painter_.SetColorLimMax(value); }
    // Every text change repaints all visible lines, and every paint redraws
    // the caret's line up to the caret.
    bool RedrawAlways() const { return redrawAlways_; }
    void SetRedrawAlways(bool redrawAlways) { redrawAlways_ = redrawAlways; }

    // Paints the colours again over what the native control shows: all
    // visible lines, or only the caret's line. Sender is not used.
    virtual void RedrawColors(const void* Sender, bool CaretLineOnly);

    // The surface the colours are drawn on (and OnDrawKey draws on).
    TMemoCanvas DrawCanvas;

    // --- Events ------------------------------------------------------------
    TNotifyEvent OnVScroll;  // after every vertical scroll message
    TNotifyEvent OnHScroll;  // after every horizontal scroll message
    THotSpotClickEvent OnHotSpotClick;
    // Supplies the keys of dtEventDraw rules (see TDrawEvent).
    TDrawEvent& OnDraw;
    TKeyDrawEvent OnDrawKey;
    // Fired after the text changed.
    std::function<void()> OnChange;
    TKeyEvent OnKeyDown;
    TKeyEvent OnKeyUp;
    TMouseEvent OnMouseDown;
    TMouseEvent OnMouseUp;
    TMouseMoveEvent OnMouseMove;

    // --- Undo and Redo (ColorMemoUndo.cpp) ----------------------------------
    // Every change of the text is recorded, the user's (typing, Backspace and
    // Delete, paste, cut, clear) and the program's (EM_REPLACESEL,
    // WM_SETTEXT), in a history that survives switching word wrap. The
    // native control's own single undo (WM_UNDO, EM_UNDO, its Ctrl+Z) walks
    // this history instead. Undo and Redo restore the selection, show the
    // caret, and clear the modified mark when they reach the saved text;
    // SetModified(false) marks the text as saved.
    bool CanUndo() const { return history_.CanUndo(); }
    bool CanRedo() const { return history_.CanRedo(); }
    void Undo();
    void Redo();
    // Forgets every step: the text just set is where Undo stops (a document
    // just opened or made).
    void ClearUndo() { history_.Clear(!Modified()); }
    // The text becomes `text` in one WM_SETTEXT and one undo step made of
    // `changes`, which turn the present text into it (in order, each at its
    // offset in the text as the ones before it left it); the step holds the
    // two whole texts instead when they are smaller. The caret stays where
    // it was, as far as the new text reaches.
    void ReplaceWholeText(std::u16string text, std::vector<TTextChange> changes);

    // The caret's line and column, from 1, lines as the file has them (not
    // as word wrap shows them) and columns in characters (a surrogate pair
    // is one).
    void CaretPosition(int& line, int& column) const;
    // The caret goes to the start of line `line` (from 1; past the end: the
    // last line), which is scrolled into view.
    void GoToLine(int line);
    // After the caret or the selection may have moved or the text changed.
    std::function<void()> OnSelChange;
    // After the modified mark came or went.
    std::function<void()> OnModifiedChange;

    // The next paint copies the visible lines out of the native control
    // again. (Every message that may change the text does this already.)
    void ForgetCopiedText() { text_.Forget(); }

    // What the control counted while colouring.
    const TColorMemoStats& Stats() const { return stats_; }
    void ResetStats() { stats_ = TColorMemoStats{}; }

protected:
    // Messages of the subclassed EDIT control; the default is the native handling.
    virtual LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT DefaultHandling(UINT message, WPARAM wParam, LPARAM lParam);
    // The text changed (EN_CHANGE).
    virtual void Changed();

private:
    static LRESULT CALLBACK SubclassProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                         DWORD_PTR refData);
    // The parent's messages about this control (its change notification and
    // its colours) come here first, whatever window the parent is.
    static LRESULT CALLBACK ParentSubclassProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                               DWORD_PTR refData);
    void HookParent();
    void UnhookParent();
    void CreateNative();
    void DestroyNative();
    static void DestroyEditWindow(HWND window);
    // Lets go of the native window without destroying it, and takes one
    // back (re-creation, ColorMemoWrap.cpp).
    void DetachNative();
    void AttachNative(HWND window);
    void Recreate();
    DWORD Style() const;
    LRESULT CtlColor(HDC dc);
    bool ShowPopup(LPARAM lParam);

    // Painting (ColorMemoPaint.cpp).
    LRESULT Paint(HDC given);
    bool ComposedPaint(HDC screen, const RECT& area);
    // Whether RedrawColors has anything to do.
    bool Colouring() const;
    void DrawRuns(int runCount);
    void DrawRun(const TKeyDescr& run);
    void DrawPart(int lineIndex, int32_t from, int32_t to);
    void DrawOwnLines();
    struct TLinePlace;
    const TLinePlace& Place(int lineIndex);
    TLineWidths& Widths(int lineIndex);
    // Sets the part of the copied lines the paint shows: KeysFrom/KeysTo.
    void ShownPart(TPaintInput& input);
    // After a new copy of the text: what it says about earlier findings.
    void CopyRenewed();
    int64_t LineX(int32_t lineStart);
    void Measure(int lineIndex);
    int64_t PartX(int lineIndex, int32_t offset);

    // Changes seen coming (ColorMemoEdits.cpp): a typed character, Backspace
    // or Delete inside one line is expected before the native control makes
    // it; when its change notification shows exactly that change, the copy
    // of the text, the resume points of the key searches, the lines' widths
    // and layout verdicts take it instead of starting again.
    void ExpectTyped(WPARAM character);
    void ExpectDeleted();
    void Expect(int32_t at, int32_t removed, std::u16string_view inserted);
    void TakeExpectedChange();
    // Messages whose changes of the text the native control always reports
    // (EN_CHANGE): they leave the text's version alone until it does.
    static bool ReportsChanges(UINT message);

    // Surrogate pairs kept whole (ColorMemoEdits.cpp). Wine's control takes
    // Backspace, Delete and the arrow keys one UTF-16 unit at a time, which
    // would delete half an emoji or leave the caret inside one.
    enum class TPairEdit { Typing, Backspace, Delete };
    // Before an edit: a caret inside a pair goes past it, the ends of a
    // selection inside pairs go outwards, and Backspace and Delete without a
    // selection select the pair before or after the caret, which then goes
    // whole.
    void KeepPairsWhole(TPairEdit edit);
    // After a caret movement: a caret left inside a pair goes on past it.
    void StepOutOfPair(bool forward);
    // The line's units at `at` - 2 .. `at` + 1 (0 off the line).
    std::array<char16_t, 4> UnitsAround(int32_t at);

    // Input (ColorMemoInput.cpp).
    LRESULT KeyDown(UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT KeyUp(UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT MouseDown(UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT MouseUp(UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT MouseMove(UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT Scrolled(UINT message, WPARAM wParam, LPARAM lParam);
    bool SetCursorShape(LPARAM lParam);
    void TextChanged();
    // The pointed line and character (EM_CHARFROMPOS) and the line's text.
    struct TPointed {
        std::u16string Line;
        int32_t LineStart;
        int32_t CharPos;
    };
    bool PointAt(int x, int y, TPointed& pointed) const;
    void HotSpotClick(int x, int y);

    HWND parent_;
    bool parentHooked_ = false;
    int id_;
    int left_ = 0, top_ = 0, width_ = 185, height_ = 89;
    bool visible_ = true;
    bool readOnly_ = false;
    bool wordWrap_ = false;
    bool redrawAlways_ = false;
    bool wantTabs_ = false;
    TCursor cursor_ = crDefault;
    TScrollStyle scrollBars_ = TScrollStyle::ssNone;
    TColor color_ = clWindow;
    TFont font_;
    qm::Font gdiFont_;
    Brush background_;
    HMENU popupMenu_ = nullptr;
    HWND commandTarget_ = nullptr;
    bool popupEnabled_ = true;

    TTextChangeTracker changes_;
    TEditQueries edit_;
    TMemoText text_;
    // Per paint (ColorMemoPaint.cpp): the client x of every line's first
    // character, where each copied line shows, and the widths of the shown
    // characters of the line last measured.
    struct TLinePlace {
        bool Known = false;
        // The native control shows nothing of the line (Wine's cannot lay
        // out a line of many short runs of letters, digits and signs): the
        // control draws all of its text itself.
        bool Own = false;
        size_t First = 0, End = 0;  // the columns that show: First .. End - 1
        int64_t X = 0;              // client x of column First
    };
    bool haveLineX_ = false;
    int64_t lineX_ = 0;
    int lineAnswer_ = 0;  // ... as the native control answers it, in 16 bits
    int formatLeft_ = 0;
    bool offsetAgreed_ = false;  // the scroll bar's position has proved to be the view's offset
    std::vector<TLinePlace> places_;
    int measuredLine_ = -1;
    // Shown characters measured, up to the first whose successor only the
    // native control can place (a control character or a shaped one).
    size_t measuredCount_ = 0;
    bool lineHasOdd_ = false;   // such characters other than tabs among the shown ones
    std::vector<int> widths_;
    // The font's widths, measured as the characters are met, and each copied
    // line's prefix widths, kept while the copy and the font stay the same.
    TCharWidths charWidths_;
    uint64_t widthsGeneration_ = 1, widthsOfCopy_ = UINT64_MAX, widthsOfFont_ = 0;
    struct TIndexedLine {
        TLineWidths Widths;
        uint64_t Generation = 0;
    };
    std::vector<TIndexedLine> lineWidths_;
    // Whether the native control laid out a long line, for the text's
    // current version (asking costs Wine's control a layout of the whole
    // line when it cannot keep one).
    struct TLayoutVerdict {
        int32_t Line, Start, Length;
        bool Own;
    };
    std::vector<TLayoutVerdict> verdicts_;
    uint64_t verdictsCopy_ = 0;  // the copy's generation they were found for
    uint64_t seenCopy_ = 0;      // the copy's generation CopyRenewed saw last
    // A line at least this long that the native control left empty stays so
    // through a change of a few characters (its many runs stay many).
    static constexpr int32_t kStaysUnlaid = 4096;
    struct TExpectedChange {
        bool Pending = false;
        int32_t At = 0, Removed = 0;
        std::u16string Inserted;
        int32_t Line = 0, LineStart = 0, LineLength = 0, LineCount = 0;
    };
    TExpectedChange expected_;
    bool recreating_ = false;
    // Changes with every message that may have changed the text.
    uint64_t textVersion_ = 0;
    static bool KeepsText(UINT message);

    // Undo (ColorMemoUndo.cpp).
    struct TEditBefore;
    // The undo messages of the native control, answered from the history;
    // false for any other message.
    bool UndoMessage(UINT message, WPARAM wParam, LRESULT& result);
    LRESULT HandleNative(UINT message, WPARAM wParam, LPARAM lParam);
    // The native handling of a message, with the change it makes recorded.
    LRESULT RecordedHandling(UINT message, WPARAM wParam, LPARAM lParam);
    void Record(const TEditBefore& before, UINT message, WPARAM wParam);
    void MoveInHistory(bool undo);
    void ApplyStep(const TUndoStep& step, bool undo);
    // Fires OnSelChange and OnModifiedChange for what changed since the last call.
    void NoteState();
    TEditQueries raw_{handle_, rawStats_};  // uncounted questions
    TColorMemoStats rawStats_;
    TUndoHistory history_;
    int messageDepth_ = 0;
    int nativeDepth_ = 0;
    bool applying_ = false;     // Undo, Redo or ReplaceWholeText are changing the text
    uint64_t changeCount_ = 0;  // change notifications so far
    uint64_t historyMoves_ = 0;
    uint64_t notedChanges_ = 0;
    DWORD notedSelStart_ = 0, notedSelEnd_ = 0;
    DWORD caret_ = 0;
    bool notedModified_ = false;
};

}  // namespace qm
