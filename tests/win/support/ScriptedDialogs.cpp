#include "ScriptedDialogs.h"

#include <gtest/gtest.h>

namespace qmtest {

ScriptedDialogs::ScriptedDialogs() { qm::SetDialogScript(this); }

ScriptedDialogs::~ScriptedDialogs() {
    qm::SetDialogScript(nullptr);
    EXPECT_TRUE(expected_.empty()) << expected_.size() << " expected dialog(s) never came; the first: "
                                   << (expected_.empty() ? "" : expected_.front().text);
}

void ScriptedDialogs::Expect(qm::DialogKind kind, const std::string& text, qm::DialogAnswer answer,
                             const std::string& fileName, int filterIndex) {
    qm::DialogResponse response;
    response.answer = answer;
    response.fileName = fileName;
    response.filterIndex = filterIndex;
    expected_.push_back({kind, text, response, ""});
}

void ScriptedDialogs::ExpectColor(qm::DialogAnswer answer, unsigned color) {
    qm::DialogResponse response;
    response.answer = answer;
    response.color = color;
    expected_.push_back({qm::DialogKind::ChooseColor, "", response, ""});
}

void ScriptedDialogs::ExpectInput(const std::string& caption, qm::DialogAnswer answer, const std::string& text) {
    qm::DialogResponse response;
    response.answer = answer;
    response.text = text;
    expected_.push_back({qm::DialogKind::InputQuery, "", response, caption});
}

qm::DialogResponse ScriptedDialogs::Answer(const qm::DialogRequest& request) {
    requests_.push_back(request);
    if (expected_.empty()) {
        ADD_FAILURE() << "unexpected dialog (kind " << static_cast<int>(request.kind) << "): " << request.text;
        return {};
    }
    Expected next = expected_.front();
    expected_.pop_front();
    EXPECT_EQ(static_cast<int>(request.kind), static_cast<int>(next.kind)) << "dialog text: " << request.text;
    if (!next.text.empty()) {
        EXPECT_EQ(request.text, next.text);
    }
    if (!next.caption.empty()) {
        EXPECT_EQ(request.caption, next.caption);
    }
    return next.response;
}

std::vector<std::string> ScriptedDialogs::Texts(qm::DialogKind kind) const {
    std::vector<std::string> texts;
    for (const auto& r : requests_) {
        if (r.kind == kind) texts.push_back(r.text);
    }
    return texts;
}

}  // namespace qmtest
