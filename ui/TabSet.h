// The list of tab names and the current index of a tab strip, with the rules
// the documents rely on. Window-free; the Win32 tab strip mirrors it.
//   - Setting TabIndex to its value does nothing. A new value (−1 .. count−1,
//     else ListIndexError) raises OnChange (which may refuse), stores the
//     index, then raises OnClick.
//   - Appending a name keeps TabIndex. Renaming only changes the name.
//   - Removing tab k: TabIndex becomes old if old < new count, else new
//     count − 1 (−1 when none is left); OnClick is raised when k was the
//     current tab. OnChange is not raised.
#pragma once

#include <functional>
#include <string>
#include <vector>

namespace qm {

class TTabSet {
public:
    std::function<void(int newIndex, bool& allowChange)> OnChange;
    std::function<void()> OnClick;
    // Called after every change of names or index, to mirror it on screen.
    std::function<void()> OnUpdate;

    int Count() const { return static_cast<int>(tabs_.size()); }
    const std::string& Tab(int index) const;
    int TabIndex() const { return tabIndex_; }

    void SetTabIndex(int index);
    void Append(const std::string& name);
    void Rename(int index, const std::string& name);
    void Remove(int index);
    // Replaces everything without raising events (the design's initial tabs).
    void Reset(std::vector<std::string> names, int tabIndex);

private:
    void Updated() {
        if (OnUpdate) OnUpdate();
    }
    std::vector<std::string> tabs_;
    int tabIndex_ = -1;
};

}  // namespace qm
