#include "sprache.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace vkhost {

bool QtDeutschLaden(QCoreApplication& app) {
    auto* übersetzung = new QTranslator(&app);
    if (!übersetzung->load(QLocale(QLocale::German, QLocale::Germany), "qtbase", "_",
                           QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        delete übersetzung;
        return false;
    }
    QCoreApplication::installTranslator(übersetzung);
    return true;
}

QString Programmversion() { return QStringLiteral(VK_HOST_VERSION); }
QString Versionstext() { return "V " + Programmversion(); }

}  // namespace vkhost
