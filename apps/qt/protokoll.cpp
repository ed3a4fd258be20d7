#include "protokoll.h"

#include <QFile>
#include <QFileInfo>

#include "common/fehlerprotokoll.h"
#include "textfenster.h"

namespace vkhost {

namespace {

// Every entry ends in an empty line (CR LF CR LF).
const QByteArray kEintragsende = "\r\n\r\n";

QString Pfad() { return QString::fromStdString(vk::ProtokollPfad().string()); }

}  // namespace

QStringList ProtokollEinträge() {
    QFile datei(Pfad());
    if (!datei.open(QIODevice::ReadOnly)) return {};
    QStringList einträge;
    const QByteArray inhalt = datei.readAll();
    qsizetype anfang = 0;
    while (anfang < inhalt.size()) {
        qsizetype ende = inhalt.indexOf(kEintragsende, anfang);
        if (ende < 0) ende = inhalt.size();
        const QString eintrag = QString::fromUtf8(inhalt.mid(anfang, ende - anfang)).replace("\r\n", "\n").trimmed();
        if (!eintrag.isEmpty()) einträge.prepend(eintrag);
        anfang = ende + kEintragsende.size();
    }
    return einträge;
}

long long ProtokollStand() { return QFileInfo(Pfad()).size(); }

int ProtokollNeueEinträge(long long stand) {
    QFile datei(Pfad());
    if (!datei.open(QIODevice::ReadOnly)) return 0;
    // A log that was emptied or replaced meanwhile counts from its start.
    if (stand > datei.size()) stand = 0;
    datei.seek(stand);
    return static_cast<int>(datei.readAll().count(kEintragsende));
}

void ProtokollZeigen(QWidget* eltern) {
    const QStringList einträge = ProtokollEinträge();
    Textfenster f;
    f.name = "Fehlerprotokoll";
    f.titel = "Fehlerprotokoll";
    f.kopf = einträge.isEmpty() ? QString("Keine Einträge in %1.").arg(Pfad())
                                : QString("%1 Einträge in %2, die neuesten zuerst:").arg(einträge.size()).arg(Pfad());
    f.text = einträge.join("\n\n");
    f.textName = "Einträge";
    f.umbrechen = false;
    f.festeBreite = true;
    TextfensterZeigen(eltern, f);
}

}  // namespace vkhost
