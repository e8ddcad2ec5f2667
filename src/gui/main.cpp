// velmorin: the desktop program.
#include <QApplication>

#include "app/program_startup.h"
#include "logo_dialog.h"
#include "my_frame_window.h"
#include "program_icon.h"
#include "translations.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    using namespace velmorin;

    gui::installJapaneseTranslations(app);
    QApplication::setWindowIcon(gui::programIcon());

    std::string argumentText;
    for (int i = 1; i < argc; ++i) argumentText += std::string(" ") + argv[i];
    ProgramStartup startup =
        prepareProgramStartup(QApplication::applicationFilePath().toStdString(), argumentText);

    gui::MyFrameWindow window(std::move(startup.state), std::move(startup.shell),
                              startup.settingsPath);
    gui::showStartupPicture(&window, startup.files.logoFile);
    window.show();
    return app.exec();
}
