// Finding and starting the system information tool for the About box. No Qt here.
#pragma once

#include "registry.h"

#include "core/prompter.h"

#include <functional>
#include <string>

namespace bb::sysinfo {

inline constexpr const char* SysInfoKey = "SOFTWARE\\Microsoft\\Shared Tools\\MSINFO";
inline constexpr const char* SysInfoValue = "PATH";
inline constexpr const char* ToolsLocationKey = "SOFTWARE\\Microsoft\\Shared Tools Location";
inline constexpr const char* ToolsLocationValue = "MSINFO";
inline constexpr const char* ToolFileName = "MSINFO32.EXE";
inline constexpr const char* UnavailableText = "System Information Is Unavailable At This Time";

// Starts the program at the given path (UTF-8) without waiting for it; false when it cannot start.
using ProgramStarter = std::function<bool(const std::string& program)>;

// Starts the tool that the store names, or else the tool file in the folder it names; when
// neither works, tells the user that system information is unavailable.
void StartSysInfo(const RegistryStore& store, Prompter& prompter, const ProgramStarter& start);

} // namespace bb::sysinfo
