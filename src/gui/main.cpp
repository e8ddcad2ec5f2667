// velmorin: the desktop program.
#include <QApplication>
#include <QDir>
#include <memory>

#include "app/settings_file.h"
#include "app/startup_arguments.h"
#include "common/path_text.h"
#include "logo_dialog.h"
#include "my_frame_window.h"
#include "program_icon.h"
#include "translations.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    using namespace velmorin;

    gui::installJapaneseTranslations(app);

    ShellState shell;
    shell.programFolder = withTrailingSeparator(QDir::toNativeSeparators(QApplication::applicationDirPath()).toStdString());
    std::string argumentText;
    for (int i = 1; i < argc; ++i) argumentText += std::string(" ") + argv[i];
    const StartupArguments arguments = parseStartupArguments(argumentText, readOptionsLine(shell.programFolder));

    auto state = std::make_unique<AppState>();
    const std::string settingsPath = settingsPathFor(QApplication::applicationFilePath().toStdString());
    state->settings = loadSettings(settingsPath, defaultSettings(shell.programFolder));
    state->sourceOptions.interleaveCheck = arguments.interleaveCheck;

    QApplication::setWindowIcon(gui::programIcon());
    gui::MyFrameWindow window(std::move(state), std::move(shell), settingsPath);
    gui::showStartupPicture(&window, window.shell().programFolder);
    window.show();
    return app.exec();
}
