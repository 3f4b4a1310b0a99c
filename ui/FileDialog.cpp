#include "ui/FileDialog.h"

#include <commdlg.h>

#include <vector>

#include "ui/Application.h"
#include "ui/DialogSeam.h"
#include "ui/SystemError.h"

namespace qm {

namespace {
// Room for long paths: the dialogs can return names beyond MAX_PATH.
constexpr DWORD kNameBuffer = 32768;

bool HasExtension(const std::string& name) {
    const auto slash = name.find_last_of("\\/");
    const auto dot = name.rfind('.');
    return dot != std::string::npos && (slash == std::string::npos || dot > slash);
}
}  // namespace

std::string NativeFilter(const std::string& filter) {
    std::string native = filter;
    for (char& c : native) {
        if (c == '|') c = '\0';
    }
    native.push_back('\0');
    native.push_back('\0');
    return native;
}

bool TFileDialog::Execute(HWND owner) {
    if (DialogScript* script = CurrentDialogScript()) {
        DialogRequest request;
        request.kind = save_ ? DialogKind::SaveFile : DialogKind::OpenFile;
        request.caption = Title;
        request.text = FileName;
        request.filter = Filter;
        request.filterIndex = FilterIndex;
        request.defaultExt = DefaultExt;
        DialogResponse response = script->Answer(request);
        if (response.answer != DialogAnswer::Ok || response.fileName.empty()) return false;
        if (response.filterIndex != 0 && response.filterIndex != FilterIndex) {
            FilterIndex = response.filterIndex;
            if (OnTypeChange) OnTypeChange();
        }
        FileName = response.fileName;
        // As the system's dialog does: a typed name without extension gets the default one.
        if (save_ && !DefaultExt.empty() && !HasExtension(FileName)) FileName += "." + DefaultExt;
        return true;
    }

    std::vector<char> name(kNameBuffer, '\0');
    FileName.copy(name.data(), name.size() - 1);
    const std::string filter = NativeFilter(Filter);
    OPENFILENAMEA ofn{};
    ofn.lStructSize = sizeof ofn;
    ofn.hwndOwner = owner;
    ofn.lpstrFilter = filter.c_str();
    ofn.nFilterIndex = static_cast<DWORD>(FilterIndex);
    ofn.lpstrFile = name.data();
    ofn.nMaxFile = kNameBuffer;
    ofn.lpstrTitle = Title.empty() ? nullptr : Title.c_str();
    ofn.lpstrDefExt = DefaultExt.empty() ? nullptr : DefaultExt.c_str();
    ofn.Flags = OFN_EXPLORER | OFN_ENABLESIZING | OFN_HIDEREADONLY | OFN_NOCHANGEDIR | OFN_PATHMUSTEXIST;
    if (!save_) ofn.Flags |= OFN_FILEMUSTEXIST;
    if (OnTypeChange) {
        ofn.Flags |= OFN_ENABLEHOOK;
        ofn.lpfnHook = &TFileDialog::HookProc;
        ofn.lCustData = reinterpret_cast<LPARAM>(this);
    }
    const BOOL chosen = save_ ? GetSaveFileNameA(&ofn) : GetOpenFileNameA(&ofn);
    FilterIndex = static_cast<int>(ofn.nFilterIndex);
    if (!chosen) {
        const DWORD error = CommDlgExtendedError();
        if (error != 0) throw Error("The file dialog failed (error " + std::to_string(error) + ").");
        return false;
    }
    FileName = name.data();
    return true;
}

UINT_PTR CALLBACK TFileDialog::HookProc(HWND hook, UINT message, WPARAM, LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        auto* ofn = reinterpret_cast<OPENFILENAMEA*>(lParam);
        SetWindowLongPtrA(hook, DWLP_USER, ofn->lCustData);
        return 0;
    }
    if (message != WM_NOTIFY) return 0;
    const auto* notify = reinterpret_cast<const OFNOTIFYA*>(lParam);
    if (notify->hdr.code != CDN_TYPECHANGE) return 0;
    auto* self = reinterpret_cast<TFileDialog*>(GetWindowLongPtrA(hook, DWLP_USER));
    if (!self) return 0;
    return Guarded(
        [&]() -> UINT_PTR {
            self->FilterIndex = static_cast<int>(notify->lpOFN->nFilterIndex);
            if (self->OnTypeChange) self->OnTypeChange();
            SendMessageA(GetParent(hook), CDM_SETDEFEXT, 0, reinterpret_cast<LPARAM>(self->DefaultExt.c_str()));
            return 0;
        },
        static_cast<UINT_PTR>(0));
}

}  // namespace qm
