// Benchboss: the session, the Qt prompter and the main window; everything else starts from there.
#include "core/home_lock.h"
#include "core/session.h"
#include "ui/common/qt_prompter.h"
#include "ui/main/league_view.h"
#include "ui/main/main_window.h"

#include <QApplication>

#include <cstdio>
#include <filesystem>
#include <memory>
#include <system_error>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    // The windows' palette is drawn as designed by this style on every desktop.
    QApplication::setStyle(QStringLiteral("Fusion"));

    // The working files and the defaults file live in the folder the program was started from.
    std::error_code ec;
    const std::filesystem::path home = std::filesystem::current_path(ec);

    bb::ui::QtPrompter prompter;
    bb::HomeLock lock;
    std::string problem;
    if (!bb::ClaimHomeFolder(lock, home, prompter, problem))
        return 1;
    if (!problem.empty())
        std::fprintf(stderr, "benchboss: %s\n", problem.c_str());

    auto session = std::make_unique<bb::Session>();
    bb::ui::Main window(*session, prompter);
    prompter.setParent(&window);
    window.startUp(home);
    window.show();
    return app.exec();
}
