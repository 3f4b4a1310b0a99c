// A dialog script for tests: answers the program's boxes and file dialogs
// from a queue of expected requests, and records every request.
#pragma once

#include <deque>
#include <string>
#include <vector>

#include "ui/DialogSeam.h"

namespace qmtest {

class ScriptedDialogs : public qm::DialogScript {
public:
    ScriptedDialogs();
    ~ScriptedDialogs() override;

    // The next request must be of this kind (and, when `text` is not empty,
    // carry this text); it gets this answer.
    void Expect(qm::DialogKind kind, const std::string& text, qm::DialogAnswer answer,
                const std::string& fileName = "", int filterIndex = 0);
    // The same with a whole response (colour and font dialogs).
    void Expect(qm::DialogKind kind, const std::string& text, const qm::DialogResponse& response) {
        expected_.push_back({kind, text, response, ""});
    }
    void ExpectConfirm(const std::string& text, qm::DialogAnswer answer) {
        Expect(qm::DialogKind::Confirm, text, answer);
    }
    void ExpectMessage(const std::string& text) { Expect(qm::DialogKind::Message, text, qm::DialogAnswer::Ok); }
    void ExpectSaveDialog(const std::string& fileName, int filterIndex = 0) {
        Expect(qm::DialogKind::SaveFile, "", fileName.empty() ? qm::DialogAnswer::Cancel : qm::DialogAnswer::Ok,
               fileName, filterIndex);
    }
    void ExpectError() { Expect(qm::DialogKind::Error, "", qm::DialogAnswer::Ok); }
    // The colour dialog: Ok with `color`, or Cancel.
    void ExpectColor(qm::DialogAnswer answer, unsigned color = 0);
    // A one-line prompt with this caption: Ok with `text`, or Cancel.
    void ExpectInput(const std::string& caption, qm::DialogAnswer answer, const std::string& text = "");

    qm::DialogResponse Answer(const qm::DialogRequest& request) override;

    // Every request so far, in order.
    const std::vector<qm::DialogRequest>& Requests() const { return requests_; }
    // Texts of the requests of one kind.
    std::vector<std::string> Texts(qm::DialogKind kind) const;
    bool AllAnswered() const { return expected_.empty(); }

private:
    struct Expected {
        qm::DialogKind kind;
        std::string text;
        qm::DialogResponse response;
        std::string caption;  // checked when not empty
    };
    std::deque<Expected> expected_;
    std::vector<qm::DialogRequest> requests_;
};

}  // namespace qmtest
