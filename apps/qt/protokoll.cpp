#include "protokoll.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QFile>
#include <QFileInfo>
#include <QFontDatabase>
#include <QLabel>
#include <QPlainTextEdit>
#include <QVBoxLayout>

#include "common/fehlerprotokoll.h"

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
    QDialog fenster(eltern);
    fenster.setObjectName("Fehlerprotokoll");
    fenster.setWindowTitle("Fehlerprotokoll");
    auto* layout = new QVBoxLayout(&fenster);
    const QStringList einträge = ProtokollEinträge();
    auto* kopf = new QLabel(einträge.isEmpty()
                                ? QString("Keine Einträge in %1.").arg(Pfad())
                                : QString("%1 Einträge in %2, die neuesten zuerst:").arg(einträge.size()).arg(Pfad()));
    kopf->setTextInteractionFlags(Qt::TextSelectableByMouse);
    kopf->setWordWrap(true);
    layout->addWidget(kopf);
    auto* text = new QPlainTextEdit(einträge.join("\n\n"));
    text->setObjectName("Einträge");
    text->setReadOnly(true);
    text->setLineWrapMode(QPlainTextEdit::NoWrap);
    text->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    layout->addWidget(text, 1);
    auto* knöpfe = new QDialogButtonBox(QDialogButtonBox::Close);
    QObject::connect(knöpfe, &QDialogButtonBox::rejected, &fenster, &QDialog::reject);
    layout->addWidget(knöpfe);
    fenster.resize(640, 480);
    fenster.exec();
}

}  // namespace vkhost
