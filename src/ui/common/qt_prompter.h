// The Prompter of the running program: Qt message boxes, input box and file dialogs.
#pragma once

#include "core/prompter.h"

class QWidget;

namespace bb::ui {

class QtPrompter : public Prompter {
public:
    explicit QtPrompter(QWidget* parent = nullptr) : parent_(parent) {}
    // Used only when no window of the program is active.
    void setParent(QWidget* parent) { parent_ = parent; }

    void message(const std::string& text, MsgIcon icon, const std::string& title) override;
    bool askYesNo(const std::string& text, MsgIcon icon, const std::string& title) override;
    std::string askText(const std::string& prompt, const std::string& title, const std::string& initial) override;
    std::optional<std::string> openFileName(const FileDialogRequest& request) override;
    std::optional<std::string> saveFileName(const FileDialogRequest& request) override;

    // The window a box or dialog belongs to: the modal window in front, else the active window,
    // else the fallback parent, so that it opens over the window that raised it.
    QWidget* owner() const;

private:
    QWidget* parent_;
};

} // namespace bb::ui
