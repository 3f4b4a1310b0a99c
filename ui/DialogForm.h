// A secondary window of the program made from a dialog template in the
// resources: created once, hidden, shown without being modal and only hidden
// again when the user closes it (Escape, the title-bar button). The dialog
// manager gives it Tab, access keys and the focused control kept across
// activations.
#pragma once

#include <windows.h>

#include <exception>
#include <string>

namespace qm {

class TDialogForm {
public:
    TDialogForm() = default;
    virtual ~TDialogForm();
    TDialogForm(const TDialogForm&) = delete;
    TDialogForm& operator=(const TDialogForm&) = delete;

    HWND Handle() const { return handle_; }
    // A control of the dialog; throws when the template has none of that id.
    HWND Item(int id) const;
    std::string ItemText(int id) const;
    void SetItemText(int id, const std::string& text);

    // Shows the window (or brings it to the front when shown already).
    virtual void Show();
    void Hide();
    bool Visible() const { return handle_ && IsWindowVisible(handle_); }

protected:
    // Creates the dialog `templateId` hidden, owned by `owner`. Called by
    // the derived form's constructor, so that Created and HandleMessage
    // reach it.
    void CreateFromTemplate(HWND owner, int templateId);
    void Destroy();
    // Called once, when the dialog and its controls exist; what it throws
    // comes out of CreateFromTemplate.
    virtual void Created() {}
    // One message; true when handled, with `result` as the dialog procedure
    // returns it. Unhandled messages get the dialog manager's handling.
    virtual bool HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR& result);

private:
    static INT_PTR CALLBACK DialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
    HWND handle_ = nullptr;
    std::exception_ptr createError_;
};

}  // namespace qm
