#include "dialogs/Translations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace zepo {

bool InstallJapaneseTranslations() {
    const QLocale japanese(QLocale::Japanese, QLocale::Japan);
    QLocale::setDefault(japanese);
    const QString folder = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
    bool base = false;
    // qtbase holds the file dialog and the standard buttons; the others only add to it.
    for (const char* catalogue : {"qtbase", "qtmultimedia", "qt_help"}) {
        auto* translator = new QTranslator(QCoreApplication::instance());
        if (translator->load(japanese, catalogue, "_", folder) && QCoreApplication::installTranslator(translator)) {
            if (QLatin1String(catalogue) == QLatin1String("qtbase")) base = true;
        } else {
            delete translator;
        }
    }
    return base;
}

}  // namespace zepo
