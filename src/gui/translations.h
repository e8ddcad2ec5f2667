// Qt's own texts (the standard buttons はい, いいえ, OK, …) in Japanese, like the rest of
// the interface.
#pragma once

#include <QCoreApplication>

namespace velmorin::gui {

// Installs Qt's Japanese translations into `app`; false when they are not installed.
bool installJapaneseTranslations(QCoreApplication& app);

}  // namespace velmorin::gui
