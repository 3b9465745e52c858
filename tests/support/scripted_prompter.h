// A Prompter for tests: records every question and message, answers from queued replies.
#pragma once

#include "core/prompter.h"

#include <deque>
#include <optional>
#include <string>
#include <vector>

namespace bb::test {

struct Asked {
    enum Kind { Message, YesNo, Text, OpenFile, SaveFile } kind;
    std::string text;  // message text, prompt, or dialog title
    MsgIcon icon = MsgIcon::None;
    std::string title;
    FileDialogRequest request;  // for the file dialogs
};

class ScriptedPrompter : public Prompter {
public:
    // Replies are taken in order; a question with no reply queued answers No / "" / cancel.
    std::deque<bool> yesNo;
    std::deque<std::string> texts;
    std::deque<std::optional<std::string>> files;

    std::vector<Asked> asked;

    void message(const std::string& text, MsgIcon icon, const std::string& title) override;
    bool askYesNo(const std::string& text, MsgIcon icon, const std::string& title) override;
    std::string askText(const std::string& prompt, const std::string& title, const std::string& initial) override;
    std::optional<std::string> openFileName(const FileDialogRequest& request) override;
    std::optional<std::string> saveFileName(const FileDialogRequest& request) override;

    // The messages shown (not the questions), in order.
    std::vector<std::string> messages() const;
    // Everything asked since the last call, in order, then forgotten: "? text [title] " for a
    // question, "! text [title, icon] " for a message ("stop", "info"; no icon: just the title).
    std::string take();
};

} // namespace bb::test
