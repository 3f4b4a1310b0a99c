#include "ui/TabSet.h"

#include <gtest/gtest.h>

#include <string>

#include "ui/Errors.h"

namespace {

// Records the events of a tab set as text: "change(2)" and "click@2", where
// the number after @ is the index the click handler sees.
struct Recorder {
    qm::TTabSet tabs;
    std::string log;
    Recorder() {
        tabs.OnChange = [this](int next, bool&) { log += "change(" + std::to_string(next) + ")@" +
                                                         std::to_string(tabs.TabIndex()) + " "; };
        tabs.OnClick = [this] { log += "click@" + std::to_string(tabs.TabIndex()) + " "; };
    }
};

TEST(TabSet, SettingTheIndexRaisesChangeBeforeAndClickAfterStoring) {
    Recorder r;
    r.tabs.Append("a");
    r.tabs.Append("b");
    EXPECT_EQ(r.tabs.TabIndex(), -1) << "appending keeps the index";
    r.tabs.SetTabIndex(1);
    EXPECT_EQ(r.log, "change(1)@-1 click@1 ");
    r.log.clear();
    r.tabs.SetTabIndex(1);
    EXPECT_EQ(r.log, "") << "the same index raises nothing";
    r.tabs.Rename(1, "c");
    EXPECT_EQ(r.tabs.Tab(1), "c");
    EXPECT_EQ(r.log, "");
}

TEST(TabSet, AnIndexOutOfRangeIsAListError) {
    Recorder r;
    r.tabs.Append("a");
    EXPECT_THROW(r.tabs.SetTabIndex(1), qm::ListIndexError);
    EXPECT_THROW(r.tabs.SetTabIndex(-2), qm::ListIndexError);
    try {
        r.tabs.Tab(-1);
        FAIL();
    } catch (const qm::ListIndexError& e) {
        EXPECT_STREQ(e.what(), "List index out of bounds (-1)");
    }
    EXPECT_EQ(r.log, "");
}

TEST(TabSet, AChangeHandlerMayRefuse) {
    qm::TTabSet tabs;
    tabs.Append("a");
    tabs.OnChange = [](int, bool& allow) { allow = false; };
    bool clicked = false;
    tabs.OnClick = [&] { clicked = true; };
    tabs.SetTabIndex(0);
    EXPECT_EQ(tabs.TabIndex(), -1);
    EXPECT_FALSE(clicked);
}

TEST(TabSet, RemovingTheCurrentTabSelectsTheRightNeighbourOrTheNewLast) {
    Recorder r;
    for (const char* n : {"a", "b", "c"}) r.tabs.Append(n);
    r.tabs.SetTabIndex(1);
    r.log.clear();
    r.tabs.Remove(1);  // the tab to its right becomes current
    EXPECT_EQ(r.tabs.TabIndex(), 1);
    EXPECT_EQ(r.tabs.Tab(1), "c");
    EXPECT_EQ(r.log, "click@1 ") << "no change event on removal";
    r.log.clear();
    r.tabs.Remove(1);  // the last one: the new last becomes current
    EXPECT_EQ(r.tabs.TabIndex(), 0);
    EXPECT_EQ(r.log, "click@0 ");
    r.log.clear();
    r.tabs.Remove(0);
    EXPECT_EQ(r.tabs.TabIndex(), -1);
    EXPECT_EQ(r.log, "click@-1 ");
}

TEST(TabSet, RemovingAnotherTabKeepsTheIndexNumberAndRaisesNothing) {
    Recorder r;
    for (const char* n : {"a", "b", "c"}) r.tabs.Append(n);
    r.tabs.SetTabIndex(0);
    r.log.clear();
    r.tabs.Remove(2);
    EXPECT_EQ(r.tabs.TabIndex(), 0);
    r.tabs.SetTabIndex(1);
    r.log.clear();
    r.tabs.Remove(0);  // old index 1 is not below the new count 1: the last tab
    EXPECT_EQ(r.tabs.TabIndex(), 0);
    EXPECT_EQ(r.log, "");
}

}  // namespace
