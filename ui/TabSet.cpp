#include "ui/TabSet.h"

#include "ui/Errors.h"

namespace qm {

const std::string& TTabSet::Tab(int index) const {
    if (index < 0 || index >= Count()) throw ListIndexError(index);
    return tabs_[static_cast<size_t>(index)];
}

void TTabSet::SetTabIndex(int index) {
    if (index == tabIndex_) return;
    if (index < -1 || index >= Count()) throw ListIndexError(index);
    bool allow = true;
    if (OnChange) OnChange(index, allow);
    if (!allow) return;
    tabIndex_ = index;
    Updated();
    if (OnClick) OnClick();
}

void TTabSet::Append(const std::string& name) {
    tabs_.push_back(name);
    Updated();
}

void TTabSet::Rename(int index, const std::string& name) {
    if (index < 0 || index >= Count()) throw ListIndexError(index);
    tabs_[static_cast<size_t>(index)] = name;
    Updated();
}

void TTabSet::Remove(int index) {
    if (index < 0 || index >= Count()) throw ListIndexError(index);
    const int old = tabIndex_;
    tabs_.erase(tabs_.begin() + index);
    tabIndex_ = old < Count() ? old : Count() - 1;
    Updated();
    if (index == old && OnClick) OnClick();
}

void TTabSet::Reset(std::vector<std::string> names, int tabIndex) {
    tabs_ = std::move(names);
    tabIndex_ = tabIndex;
    Updated();
}

}  // namespace qm
