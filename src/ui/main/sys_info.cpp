#include "sys_info.h"

#include "core/league_io.h"
#include "core/text.h"

#include <filesystem>

namespace bb::sysinfo {

namespace {

bool tryStart(const ProgramStarter& start, const std::string& program)
{
    return !program.empty() && start && start(program);
}

} // namespace

void StartSysInfo(const RegistryStore& store, Prompter& prompter, const ProgramStarter& start)
{
    // Registry text is in the 8-bit code page; the file system and the starter take UTF-8.
    std::string path;
    if (GetKeyValue(store, HKeyLocalMachine, SysInfoKey, SysInfoValue, path)) {
        if (!tryStart(start, cp1252ToUtf8(path)))
            prompter.message(UnavailableText, MsgIcon::None, "");
        return;
    }
    if (GetKeyValue(store, HKeyLocalMachine, ToolsLocationKey, ToolsLocationValue, path)) {
        const std::filesystem::path tool = std::filesystem::path(cp1252ToUtf8(path)) / ToolFileName;
        if (FileExists(tool) && tryStart(start, tool.string()))
            return;
    }
    prompter.message(UnavailableText, MsgIcon::None, "");
}

} // namespace bb::sysinfo
