// The About box: the program's title and version, and a button that starts the system
// information tool. Modeless; it reads no league data.
#pragma once

#include "registry.h"
#include "sys_info.h"

#include <QDialog>

#include <cstdint>
#include <string>

class QPaintEvent;

namespace bb {
class Prompter;
}

namespace bb::ui {

inline constexpr const char* ProgramTitle = "Benchboss";

// "major.minor.revision" of the program's version.
QString programVersion();

class frmAbout : public QDialog {
    Q_OBJECT
  public:
    // No parent by default: the box outlives the main window's close and keeps the program
    // running until it is closed itself.
    explicit frmAbout(Prompter& prompter, QWidget* parent = nullptr);

    // This platform has no registry: the program's store stays empty, tests fill it.
    void setRegistry(sysinfo::RegistryStore store) { registry_ = std::move(store); }
    const sysinfo::RegistryStore& registry() const { return registry_; }
    // Starts a program without waiting; the program's default starts a detached process.
    void setProgramStarter(sysinfo::ProgramStarter start) { start_ = std::move(start); }

    void StartSysInfo();
    bool GetKeyValue(std::uint32_t KeyRoot, const std::string& KeyName, const std::string& SubKeyRef,
                     std::string& KeyVal) const;

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    Prompter& prompter_;
    sysinfo::RegistryStore registry_;
    sysinfo::ProgramStarter start_;
    int ruleY_ = 0;
    int ruleLeft_ = 0;
    int ruleRightGrey_ = 0;
    int ruleRightWhite_ = 0;
};

} // namespace bb::ui
