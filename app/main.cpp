// Benchboss: the session, the Qt prompter and the main window; everything else starts from there.
#include "core/session.h"
#include "ui/common/qt_prompter.h"
#include "ui/main/main_window.h"

#include <QApplication>

#include <filesystem>
#include <memory>
#include <system_error>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);

    auto session = std::make_unique<bb::Session>();
    bb::ui::QtPrompter prompter;
    bb::ui::Main window(*session, prompter);
    prompter.setParent(&window);

    // The working files and the defaults file live in the folder the program was started from.
    std::error_code ec;
    window.startUp(std::filesystem::current_path(ec));
    window.show();
    return app.exec();
}
