#include "bindung/entwurf.h"

#include <QDir>
#include <QFile>
#include <QUiLoader>
#include <QWidget>

#include "bindung/gittertabelle.h"
#include "bindung/texteingabe.h"

namespace vkhost {

namespace {

class Lader : public QUiLoader {
public:
    QWidget* createWidget(const QString& klasse, QWidget* eltern, const QString& name) override {
        QWidget* w = nullptr;
        if (klasse == "QLineEdit") w = new Texteingabe(eltern);
        else if (klasse == "QTableWidget") w = new Gittertabelle(eltern);
        else return QUiLoader::createWidget(klasse, eltern, name);
        w->setObjectName(name);
        return w;
    }
};

}  // namespace

QString EntwurfPfad(const QString& form) {
    const QString datei = form + ".ui";
    if (const QByteArray ordner = qgetenv("VK_HOST_FORMEN"); !ordner.isEmpty()) {
        const QString pfad = QDir(QString::fromLocal8Bit(ordner)).filePath(datei);
        if (QFile::exists(pfad)) return pfad;
    }
    const QString eingebaut = ":/formen/" + datei;
    return QFile::exists(eingebaut) ? eingebaut : QString();
}

QWidget* EntwurfLaden(const QString& form, QWidget* eltern, QString* fehler) {
    const QString pfad = EntwurfPfad(form);
    if (pfad.isEmpty()) return nullptr;
    QFile datei(pfad);
    if (!datei.open(QIODevice::ReadOnly)) {
        if (fehler) *fehler = pfad + ": " + datei.errorString();
        return nullptr;
    }
    Lader lader;
    QWidget* w = lader.load(&datei, eltern);
    if (!w && fehler) *fehler = pfad + ": " + lader.errorString();
    return w;
}

}  // namespace vkhost
