#include "translations.h"

#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace velmorin::gui {

bool installJapaneseTranslations(QCoreApplication& app) {
    auto* translator = new QTranslator(&app);
    if (!translator->load(QLocale(QLocale::Japanese), "qtbase", "_",
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        return false;
    return app.installTranslator(translator);
}

}  // namespace velmorin::gui
