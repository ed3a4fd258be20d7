#include "bildschirmfoto.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QRadioButton>
#include <QStatusBar>
#include <QTimer>

#include "hauptfenster.h"

namespace vkhost {

namespace {

void Warten() {
    for (int i = 0; i < 3; ++i) {
        QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QApplication::processEvents();
    }
}

// Answers the table-choice dialog whenever it appears while `aktion` runs: the option named, else
// "neuer Abrechnungspunkt"; the first time the dialog itself is photographed too. Returns whether
// the option was offered.
bool MitTabellenwahl(const QString& option, const QString& foto, const std::function<void()>& aktion) {
    bool angeboten = false;
    QTimer wache;
    wache.setInterval(20);
    QObject::connect(&wache, &QTimer::timeout, [&] {
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal || modal->objectName() != "Tabellenwahl") return;
        Warten();
        if (!foto.isEmpty() && !QFileInfo::exists(foto)) modal->grab().save(foto);
        auto* knopf = modal->findChild<QRadioButton*>(option);
        angeboten = knopf && knopf->isEnabled();
        if (!angeboten) knopf = modal->findChild<QRadioButton*>("optNeu(0)");
        if (knopf) knopf->click();
        if (auto* ok = modal->findChild<QPushButton*>("cmdEnde")) ok->click();
    });
    wache.start();
    aktion();
    wache.stop();
    return angeboten;
}

QMdiSubWindow* OffenerDialog(Hauptfenster& f) { return f.Bereich()->activeSubWindow(); }

void Schließen(Hauptfenster& f) {
    for (QMdiSubWindow* sub : f.Bereich()->subWindowList())
        if (auto* abbruch = sub->findChild<QPushButton*>("CommandAbbruch")) abbruch->click();
    Warten();
}

}  // namespace

QStringList BildschirmfotosSchreiben(Hauptfenster& fenster, const QString& ordner) {
    QStringList dateien;
    if (!QDir().mkpath(ordner)) return dateien;
    const QDir dir(ordner);
    auto foto = [&](QWidget& w, const QString& name) {
        fenster.statusBar()->clearMessage();
        Warten();
        const QString pfad = dir.filePath(name);
        if (w.grab().save(pfad)) dateien << pfad;
    };
    // The pictures show the window at the size it opens with on an ordinary screen, whatever the
    // screen they are drawn on.
    fenster.resize(1280, 800);
    fenster.show();
    Warten();
    // The main window as a person works in it: a dialog on its table beside the invoice.
    MitTabellenwahl("optTabelle(0)", {}, [&] { fenster.KategorieÖffnen(0); });
    foto(fenster, "hauptfenster.png");
    Schließen(fenster);
    const QString wahlFoto = dir.filePath("tabellenwahl.png");
    for (int i = 0; i < 6; ++i) {
        MitTabellenwahl("optTabelle(0)", wahlFoto, [&] { fenster.KategorieÖffnen(i); });
        if (QMdiSubWindow* dialog = OffenerDialog(fenster)) foto(*dialog, QString("kategorie%1.png").arg(i));
        Schließen(fenster);
    }
    if (QFileInfo::exists(wahlFoto)) dateien << wahlFoto;
    return dateien;
}

}  // namespace vkhost
