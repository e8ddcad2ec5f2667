// velmorin: the desktop program.
#include <QApplication>
#include <QDir>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>
#include <memory>

#include "app/settings_file.h"
#include "app/startup_arguments.h"
#include "common/path_text.h"
#include "my_frame_window.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    using namespace velmorin;

    // Standard buttons read はい, いいえ and OK like the rest of the interface.
    QTranslator qtTranslator;
    if (qtTranslator.load(QLocale(QLocale::Japanese), "qtbase", "_", QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        app.installTranslator(&qtTranslator);

    ShellState shell;
    shell.programFolder = withTrailingSeparator(QDir::toNativeSeparators(QApplication::applicationDirPath()).toStdString());
    std::string argumentText;
    for (int i = 1; i < argc; ++i) argumentText += std::string(" ") + argv[i];
    const StartupArguments arguments = parseStartupArguments(argumentText, readOptionsLine(shell.programFolder));

    auto state = std::make_unique<AppState>();
    const std::string settingsPath = settingsPathFor(QApplication::applicationFilePath().toStdString());
    state->settings = loadSettings(settingsPath, defaultSettings(shell.programFolder));
    state->sourceOptions.interleaveCheck = arguments.interleaveCheck;

    gui::MyFrameWindow window(std::move(state), std::move(shell), settingsPath);
    window.show();
    return app.exec();
}
