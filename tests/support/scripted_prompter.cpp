#include "scripted_prompter.h"

namespace bb::test {

void ScriptedPrompter::message(const std::string& text, MsgIcon icon, const std::string& title)
{
    asked.push_back({Asked::Message, text, icon, title, {}});
}

bool ScriptedPrompter::askYesNo(const std::string& text, MsgIcon icon, const std::string& title)
{
    asked.push_back({Asked::YesNo, text, icon, title, {}});
    if (yesNo.empty())
        return false;
    const bool answer = yesNo.front();
    yesNo.pop_front();
    return answer;
}

std::string ScriptedPrompter::askText(const std::string& prompt, const std::string& title, const std::string&)
{
    asked.push_back({Asked::Text, prompt, MsgIcon::None, title, {}});
    if (texts.empty())
        return {};
    std::string answer = texts.front();
    texts.pop_front();
    return answer;
}

std::optional<std::string> ScriptedPrompter::openFileName(const FileDialogRequest& request)
{
    asked.push_back({Asked::OpenFile, request.title, MsgIcon::None, request.title, request});
    if (files.empty())
        return std::nullopt;
    auto answer = files.front();
    files.pop_front();
    return answer;
}

std::optional<std::string> ScriptedPrompter::saveFileName(const FileDialogRequest& request)
{
    asked.push_back({Asked::SaveFile, request.title, MsgIcon::None, request.title, request});
    if (files.empty())
        return std::nullopt;
    auto answer = files.front();
    files.pop_front();
    return answer;
}

std::vector<std::string> ScriptedPrompter::messages() const
{
    std::vector<std::string> out;
    for (const auto& a : asked)
        if (a.kind == Asked::Message)
            out.push_back(a.text);
    return out;
}

std::string ScriptedPrompter::take()
{
    std::string out;
    for (const Asked& a : asked) {
        if (a.kind != Asked::Message && a.kind != Asked::YesNo)
            continue;
        out += (a.kind == Asked::YesNo ? "? " : "! ") + a.text + " [" + a.title;
        out += a.icon == MsgIcon::Stop ? ", stop] " : a.icon == MsgIcon::Information ? ", info] " : "] ";
    }
    asked.clear();
    return out;
}

} // namespace bb::test
