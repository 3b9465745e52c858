// The Prompter of the running program: Qt message boxes, input box and file dialogs.
#pragma once

#include "core/prompter.h"

class QWidget;

namespace bb::ui {

class QtPrompter : public Prompter {
public:
    explicit QtPrompter(QWidget* parent = nullptr) : parent_(parent) {}
    void setParent(QWidget* parent) { parent_ = parent; }

    void message(const std::string& text, MsgIcon icon, const std::string& title) override;
    bool askYesNo(const std::string& text, MsgIcon icon, const std::string& title) override;
    std::string askText(const std::string& prompt, const std::string& title, const std::string& initial) override;
    std::optional<std::string> openFileName(const FileDialogRequest& request) override;
    std::optional<std::string> saveFileName(const FileDialogRequest& request) override;

private:
    QWidget* parent_;
};

} // namespace bb::ui
