#include "hosts/qt/QtTranslations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace quibo {

bool InstallQtTranslations(QTranslator& translator)
{
    // qtbase_de_AT, then qtbase_de, and so on, as QLocale lists them.
    if (!translator.load(QLocale(), QStringLiteral("qtbase"), QStringLiteral("_"),
                         QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        return false;
    return QCoreApplication::installTranslator(&translator);
}

}  // namespace quibo
