#include "ui/FileDialog.h"

#include <commdlg.h>

#include <vector>

#include "ui/Application.h"
#include "ui/DialogSeam.h"
#include "ui/SystemError.h"
#include "ui/WideText.h"

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

std::wstring NativeFilter(const std::string& filter) {
    std::wstring native = Widen(filter);
    for (wchar_t& c : native) {
        if (c == L'|') c = L'\0';
    }
    native.push_back(L'\0');
    native.push_back(L'\0');
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

    std::vector<wchar_t> name(kNameBuffer, L'\0');
    Widen(FileName).copy(name.data(), name.size() - 1);
    const std::wstring filter = NativeFilter(Filter);
    const std::wstring title = Widen(Title), defaultExt = Widen(DefaultExt);
    OPENFILENAMEW ofn{};
    ofn.lStructSize = sizeof ofn;
    ofn.hwndOwner = owner;
    ofn.lpstrFilter = filter.c_str();
    ofn.nFilterIndex = static_cast<DWORD>(FilterIndex);
    ofn.lpstrFile = name.data();
    ofn.nMaxFile = kNameBuffer;
    ofn.lpstrTitle = title.empty() ? nullptr : title.c_str();
    ofn.lpstrDefExt = defaultExt.empty() ? nullptr : defaultExt.c_str();
    ofn.Flags = OFN_EXPLORER | OFN_ENABLESIZING | OFN_HIDEREADONLY | OFN_NOCHANGEDIR | OFN_PATHMUSTEXIST;
    if (!save_) ofn.Flags |= OFN_FILEMUSTEXIST;
    if (OnTypeChange) {
        ofn.Flags |= OFN_ENABLEHOOK;
        ofn.lpfnHook = &TFileDialog::HookProc;
        ofn.lCustData = reinterpret_cast<LPARAM>(this);
    }
    const BOOL chosen = save_ ? GetSaveFileNameW(&ofn) : GetOpenFileNameW(&ofn);
    FilterIndex = static_cast<int>(ofn.nFilterIndex);
    if (!chosen) {
        const DWORD error = CommDlgExtendedError();
        if (error != 0) throw Error("The file dialog failed (error " + std::to_string(error) + ").");
        return false;
    }
    FileName = Narrow(name.data());
    return true;
}

UINT_PTR CALLBACK TFileDialog::HookProc(HWND hook, UINT message, WPARAM, LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        auto* ofn = reinterpret_cast<OPENFILENAMEW*>(lParam);
        SetWindowLongPtrW(hook, DWLP_USER, ofn->lCustData);
        return 0;
    }
    if (message != WM_NOTIFY) return 0;
    const auto* notify = reinterpret_cast<const OFNOTIFYW*>(lParam);
    if (notify->hdr.code != CDN_TYPECHANGE) return 0;
    auto* self = reinterpret_cast<TFileDialog*>(GetWindowLongPtrW(hook, DWLP_USER));
    if (!self) return 0;
    return Guarded(
        [&]() -> UINT_PTR {
            self->FilterIndex = static_cast<int>(notify->lpOFN->nFilterIndex);
            if (self->OnTypeChange) self->OnTypeChange();
            const std::wstring defaultExt = Widen(self->DefaultExt);
            SendMessageW(GetParent(hook), CDM_SETDEFEXT, 0, reinterpret_cast<LPARAM>(defaultExt.c_str()));
            return 0;
        },
        static_cast<UINT_PTR>(0));
}

}  // namespace qm
