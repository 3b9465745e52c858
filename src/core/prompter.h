// How the logic and the windows talk to the user: messages, Yes/No questions, a text input box
// and file dialogs. The program passes a Qt implementation; tests pass a scripted one.
// All texts are UTF-8; an empty title means the program's title. File names are the file system's
// bytes, which need not be UTF-8.
#pragma once

#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace bb {

enum class MsgIcon { None, Stop, Information };

struct FileDialogRequest {
    std::string title;
    // (label, pattern) pairs, e.g. {"Tarn Files", "*.tms"}.
    std::vector<std::pair<std::string, std::string>> filters;
    int selectedFilter = 0;
    // File name the dialog starts from; empty for the current folder.
    std::string initialName;
};

class Prompter {
public:
    virtual ~Prompter() = default;

    virtual void message(const std::string& text, MsgIcon icon, const std::string& title) = 0;
    virtual bool askYesNo(const std::string& text, MsgIcon icon, const std::string& title) = 0;
    // Returns the typed text; empty text when the user cancels.
    virtual std::string askText(const std::string& prompt, const std::string& title,
                                const std::string& initial) = 0;
    // The chosen file name, or nothing when the user cancels.
    virtual std::optional<std::string> openFileName(const FileDialogRequest& request) = 0;
    virtual std::optional<std::string> saveFileName(const FileDialogRequest& request) = 0;
};

} // namespace bb
