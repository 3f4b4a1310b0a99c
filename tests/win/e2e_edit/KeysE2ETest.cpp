// The real quillmere.exe worked from the keyboard: shortcut keys pressed for
// real, Go To Line, F3 and Shift+F3, Replace All, the caret panel, the
// modified mark on tabs, and Undo and Redo all the way.
#include "EditE2EFixture.h"
#include "resources/resource.h"

namespace {

using namespace qmtest;

TEST_F(EditE2E, KeyboardFirstEditing) {
    const std::string opened = "<p>one</p>\r\n<p>two</p>\r\n<p>three</p>\r\n";
    qmtest::WriteBytes(dir_.File("page.htm"), opened);
    ASSERT_NO_FATAL_FAILURE(Start("page.htm"));
    HWND editor = Editor();
    HWND tabs = FindChild(main_, WC_TABCONTROLA);
    HWND status = FindChild(main_, STATUSCLASSNAMEA);
    ASSERT_TRUE(editor && tabs && status);
    auto keys = [&](const std::vector<WORD>& chord) { PressChord(main_, chord); };
    auto tab = [&](int index) { return program_->TabText(tabs, index); };
    auto current = [&] { return static_cast<int>(SendWithTimeout(tabs, TCM_GETCURSEL, 0, 0)); };
    auto textIs = [&](HWND edit, const std::string& text) {
        return WaitUntil([&] { return TextOf(edit) == text; }, kStepTimeoutMs);
    };

    // Ctrl+N, typing marks the tab, Ctrl+S asks for a name and saves.
    keys({VK_CONTROL, 'N'});
    ASSERT_TRUE(WaitUntil([&] { return TabCount() == 2 && current() == 1; }, kStepTimeoutMs));
    HWND fresh = Editor();
    TypeRealKeys(main_, "abc");
    EXPECT_TRUE(WaitUntil([&] { return tab(1) == "Untitled *"; }, kStepTimeoutMs)) << tab(1);
    keys({VK_CONTROL, 'S'});
    HWND save = program_->WaitForWindow("Save As", kStepTimeoutMs, "#32770");
    ASSERT_NE(save, nullptr) << "Ctrl+S on a new document asks for a name";
    const std::string saved = dir_.File("new.htm");
    SendWithTimeout(FileNameField(save), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(saved.c_str()));
    PressKey(FileNameField(save), VK_RETURN);
    ASSERT_TRUE(RunningProgram::WaitForWindowGone(save, kStepTimeoutMs));
    EXPECT_TRUE(WaitUntil([&] { return tab(1) == "new.htm"; }, kStepTimeoutMs)) << tab(1);
    EXPECT_EQ(qmtest::ReadBytes(saved), "abc");
    EXPECT_EQ(tab(0), "page.htm");

    // Switching tabs from the keyboard goes round at both ends.
    for (const auto& [chord, index] : std::vector<std::pair<std::vector<WORD>, int>>{
             {{VK_CONTROL, VK_TAB}, 0}, {{VK_CONTROL, VK_SHIFT, VK_TAB}, 1}, {{VK_CONTROL, VK_NEXT}, 0},
             {{VK_CONTROL, VK_PRIOR}, 1}}) {
        keys(chord);
        EXPECT_TRUE(WaitUntil([&] { return current() == index; }, kStepTimeoutMs)) << chord.back();
    }
    keys({VK_CONTROL, 'W'});
    ASSERT_TRUE(WaitUntil([&] { return TabCount() == 1 && !IsWindow(fresh); }, kStepTimeoutMs));
    ASSERT_EQ(Editor(), editor);

    // Go To Line, and the caret's line and column in the status bar.
    auto goToLine = [&](const char* number) {
        keys({VK_CONTROL, 'G'});
        HWND prompt = program_->WaitForWindow("Go To Line", kStepTimeoutMs, "#32770");
        ASSERT_NE(prompt, nullptr);
        HWND field = GetDlgItem(prompt, IDC_GOTOLINE_NUMBER);
        SendWithTimeout(field, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(number));
        PressKey(field, VK_RETURN);
        ASSERT_TRUE(RunningProgram::WaitForWindowGone(prompt, kStepTimeoutMs));
    };
    auto caretShown = [&](const std::string& text) {
        return WaitUntil([&] { return program_->StatusText(status, 3) == text; }, kStepTimeoutMs);
    };
    ASSERT_NO_FATAL_FAILURE(goToLine("2"));
    EXPECT_EQ(Selection(editor), std::make_pair(12, 12));
    EXPECT_TRUE(caretShown("Ln 2, Col 1")) << program_->StatusText(status, 3);
    keys({VK_END});
    EXPECT_TRUE(caretShown("Ln 2, Col 11")) << program_->StatusText(status, 3);
    ASSERT_NO_FATAL_FAILURE(goToLine("99"));
    EXPECT_EQ(Selection(editor), std::make_pair(24, 24)) << "past the end: the last line";
    EXPECT_TRUE(caretShown("Ln 3, Col 1")) << program_->StatusText(status, 3);

    // Ctrl+F finds; F3 and Shift+F3 repeat the search down and up.
    keys({VK_CONTROL, 'F'});
    HWND find = program_->WaitForWindow("Find", kStepTimeoutMs, "#32770");
    ASSERT_NE(find, nullptr);
    RunningProgram::TypeChars(GetDlgItem(find, edt1), "</P>");
    PressKey(GetDlgItem(find, edt1), VK_RETURN);
    EXPECT_TRUE(WaitUntil([&] { return Selection(editor) == std::make_pair(6, 10); }, kStepTimeoutMs));
    ASSERT_TRUE(RunningProgram::ClickButton(find, "Cancel"));
    ASSERT_TRUE(RunningProgram::WaitForWindowGone(find, kStepTimeoutMs));
    for (const auto& [chord, hit] : std::vector<std::pair<std::vector<WORD>, int>>{
             {{VK_F3}, 18}, {{VK_F3}, 32}, {{VK_SHIFT, VK_F3}, 18}, {{VK_SHIFT, VK_F3}, 6}, {{VK_F3}, 18},
             {{VK_F3}, 32}}) {
        keys(chord);
        EXPECT_TRUE(WaitUntil([&] { return Selection(editor).first == hit; }, kStepTimeoutMs)) << hit;
    }
    keys({VK_F3});
    ASSERT_NO_FATAL_FAILURE(ExpectMessage("\"</P>\" not found!"));

    // Replace All is one step of the history, and reports its count.
    keys({VK_CONTROL, 'H'});
    HWND replace = program_->WaitForWindow("Replace", kStepTimeoutMs, "#32770");
    ASSERT_NE(replace, nullptr);
    SendWithTimeout(GetDlgItem(replace, edt1), WM_SETTEXT, 0, reinterpret_cast<LPARAM>("p>"));
    SendWithTimeout(GetDlgItem(replace, edt2), WM_SETTEXT, 0, reinterpret_cast<LPARAM>("div>"));
    ASSERT_TRUE(RunningProgram::ClickButton(replace, "Replace &All"));
    ASSERT_NO_FATAL_FAILURE(ExpectMessage("Replaced 6 occurrences."));
    const std::string divs = "<div>one</div>\r\n<div>two</div>\r\n<div>three</div>\r\n";
    EXPECT_TRUE(textIs(editor, divs)) << TextOf(editor);
    ASSERT_TRUE(RunningProgram::ClickButton(replace, "Cancel"));
    ASSERT_TRUE(RunningProgram::WaitForWindowGone(replace, kStepTimeoutMs));
    EXPECT_TRUE(WaitUntil([&] { return tab(0) == "page.htm *"; }, kStepTimeoutMs)) << tab(0);
    keys({VK_CONTROL, 'Z'});
    EXPECT_TRUE(textIs(editor, opened)) << TextOf(editor);
    EXPECT_TRUE(WaitUntil([&] { return tab(0) == "page.htm"; }, kStepTimeoutMs)) << "undone to the saved text";
    keys({VK_CONTROL, 'Y'});
    EXPECT_TRUE(textIs(editor, divs)) << TextOf(editor);
    keys({VK_CONTROL, 'Z'});
    ASSERT_TRUE(textIs(editor, opened)) << TextOf(editor);

    // Typing, a paste and a tag from the editor's menu, then back to the
    // opened text step by step, and forward again to the end.
    SendWithTimeout(editor, EM_SETSEL, 3, 3);
    TypeRealKeys(main_, "big old ");
    ASSERT_TRUE(textIs(editor, "<p>big old one</p>\r\n<p>two</p>\r\n<p>three</p>\r\n")) << TextOf(editor);
    SendWithTimeout(editor, EM_SETSEL, 0, 3);
    ASSERT_NO_FATAL_FAILURE(Choose("&Edit", "&Copy"));
    SendWithTimeout(editor, EM_SETSEL, 46, 46);
    keys({VK_CONTROL, 'V'});
    ASSERT_TRUE(textIs(editor, "<p>big old one</p>\r\n<p>two</p>\r\n<p>three</p>\r\n<p>")) << TextOf(editor);
    SendWithTimeout(editor, EM_SETSEL, 7, 10);
    RightClick(editor);
    ASSERT_TRUE(WaitUntil([&] { return program_->MenuOpen(); }, kStepTimeoutMs));
    MenuKeys({VK_DOWN, VK_DOWN, VK_DOWN, VK_DOWN, VK_DOWN, VK_DOWN, VK_RIGHT, VK_DOWN, VK_DOWN, VK_DOWN, VK_RETURN});
    const std::string last = "<p>big <B> one</p>\r\n<p>two</p>\r\n<p>three</p>\r\n<p>";
    ASSERT_TRUE(textIs(editor, last)) << TextOf(editor);

    std::vector<std::string> seen{last};
    for (int press = 0; press < 8 && TextOf(editor) != opened; ++press) {
        keys({VK_CONTROL, 'Z'});
        ASSERT_TRUE(WaitUntil([&] { return TextOf(editor) != seen.back(); }, kStepTimeoutMs)) << "Undo did nothing";
        seen.push_back(TextOf(editor));
    }
    ASSERT_EQ(seen.back(), opened);
    // The tag, the paste, and the two words typed.
    EXPECT_EQ(seen.size(), 5u);
    EXPECT_EQ(seen[1], "<p>big old one</p>\r\n<p>two</p>\r\n<p>three</p>\r\n<p>");
    EXPECT_EQ(seen[3], "<p>big one</p>\r\n<p>two</p>\r\n<p>three</p>\r\n");
    EXPECT_TRUE(WaitUntil([&] { return tab(0) == "page.htm"; }, kStepTimeoutMs)) << tab(0);
    EXPECT_FALSE(SendWithTimeout(editor, EM_GETMODIFY, 0, 0));
    for (size_t step = seen.size() - 1; step-- > 0;) {
        keys({VK_CONTROL, 'Y'});
        EXPECT_TRUE(textIs(editor, seen[step])) << step << ": " << TextOf(editor);
    }
    EXPECT_TRUE(WaitUntil([&] { return tab(0) == "page.htm *"; }, kStepTimeoutMs)) << tab(0);
}

}  // namespace
