// Helpers of the editing-command tests: menu entries by caption, the
// selection of an editor, and the recorder program standing in for the
// browser and the FTP program.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "TestSupport.h"
#include "editor/ColorMemo.h"

namespace qmtest {

// The command id of the `occurrence`-th entry (0 = first, in menu order,
// depth first) captioned `caption` in `menu` and its submenus; -1 if none.
inline int MenuIdOf(HMENU menu, const std::string& caption, int occurrence = 0) {
    int seen = 0;
    int found = -1;
    auto walk = [&](auto& self, HMENU m) -> void {
        const int count = GetMenuItemCount(m);
        for (int i = 0; i < count && found < 0; ++i) {
            char text[256] = {};
            GetMenuStringA(m, static_cast<UINT>(i), text, sizeof text, MF_BYPOSITION);
            if (HMENU sub = GetSubMenu(m, i)) {
                self(self, sub);
            } else if (caption == text && seen++ == occurrence) {
                found = static_cast<int>(GetMenuItemID(m, i));
            }
        }
    };
    walk(walk, menu);
    return found;
}

// The submenu captioned `caption` directly in `menu`; nullptr if none.
inline HMENU SubMenuOf(HMENU menu, const std::string& caption) {
    for (int i = 0; i < GetMenuItemCount(menu); ++i) {
        char text[256] = {};
        GetMenuStringA(menu, static_cast<UINT>(i), text, sizeof text, MF_BYPOSITION);
        if (caption == text) return GetSubMenu(menu, i);
    }
    return nullptr;
}

inline std::vector<std::string> Captions(HMENU menu) {
    std::vector<std::string> captions;
    for (int i = 0; i < GetMenuItemCount(menu); ++i) {
        char text[256] = {};
        GetMenuStringA(menu, static_cast<UINT>(i), text, sizeof text, MF_BYPOSITION);
        captions.emplace_back(text);
    }
    return captions;
}

// The recorder program copied to `path`; each start appends its command
// line to `path` + ".log".
inline void CopyRecorder(const std::string& path) {
    std::string source = QM_RECORDER_PATH;
    if (!source.empty() && source[0] == '/') {
        for (char& c : source) {
            if (c == '/') c = '\\';
        }
        source = "Z:" + source;
    }
    if (!CopyFileA(source.c_str(), path.c_str(), FALSE)) {
        throw std::runtime_error("cannot copy the recorder to " + path);
    }
}

// The lines the recorder at `path` wrote, waiting up to `timeoutMs` for
// `count` of them.
inline std::vector<std::string> RecordedLines(const std::string& path, size_t count, DWORD timeoutMs = 8000) {
    std::vector<std::string> lines;
    const DWORD start = GetTickCount();
    for (;;) {
        lines.clear();
        if (FileExists(path + ".log")) {
            std::string bytes;
            try {
                bytes = ReadBytes(path + ".log");
            } catch (const std::exception&) {
            }
            size_t from = 0;
            for (size_t nl; (nl = bytes.find('\n', from)) != std::string::npos; from = nl + 1) {
                lines.push_back(bytes.substr(from, nl - from));
            }
        }
        if (lines.size() >= count || GetTickCount() - start > timeoutMs) return lines;
        PumpFor(50);
    }
}

}  // namespace qmtest
