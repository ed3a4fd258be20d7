// vk-host: the desktop host of the fee component.
//   vk-host [--db FILE --invoice ID --doc FILE.docx] [--user N] [--screenshot DIR]
#include <QApplication>
#include <QCommandLineParser>
#include <QStatusBar>
#include <cstdio>
#include <cstdlib>

#include "bildschirmfoto.h"
#include "dienste/dienste.h"
#include "hauptfenster.h"
#include "meldungsfilter.h"
#include "sprache.h"

namespace {
bool OptionIn(int argc, char** argv, const char* name) {
    for (int i = 1; i < argc; ++i)
        if (std::string(argv[i]) == name) return true;
    return false;
}
}  // namespace

int main(int argc, char** argv) {
    // Screenshots need no screen: without a platform chosen they are drawn offscreen.
    if (OptionIn(argc, argv, "--screenshot") && !std::getenv("QT_QPA_PLATFORM")) ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
    vkhost::QtMeldungenFiltern();
    QApplication app(argc, argv);
    QApplication::setApplicationName("vk-host");
    QApplication::setApplicationVersion(vkhost::Programmversion());
    if (!vkhost::QtDeutschLaden(app))
        std::fprintf(stderr, "vk-host: Qts deutsche Übersetzungen fehlen (Debian: qt6-translations-l10n); Qts eigene Texte "
                             "bleiben englisch\n");

    QCommandLineParser p;
    p.setApplicationDescription("Gebührenberechnung: Rechnung mit den Gebührendialogen bearbeiten");
    p.addHelpOption();
    p.addVersionOption();
    p.addOption({"db", "Bürodatenbank: SQLite-Datei oder postgresql://-Adresse", "FILE|URI"});
    p.addOption({"invoice", "Rechnung (ID_Rechnungsnummer)", "ID", "1"});
    p.addOption({"doc", "Rechnungsdokument (.docx)", "FILE"});
    p.addOption({"user", "Benutzer (ID_Benutzer); sonst aus den Einstellungen", "N"});
    p.addOption({"screenshot", "Bildschirmfotos als PNG in DIR schreiben und beenden", "DIR"});
    p.process(app);

    vkhost::QtDienste dienste;
    vkhost::Hauptfenster fenster(dienste);
    int benutzer = vkhost::BenutzerAusEinstellung();
    if (p.isSet("user")) {
        bool ok = false;
        benutzer = p.value("user").toInt(&ok);
        if (!ok) {
            std::fprintf(stderr, "vk-host: --user braucht eine ganze Zahl\n");
            return 2;
        }
        vkhost::BenutzerEinstellen(benutzer);
    }
    if (p.isSet("db") != p.isSet("doc")) {
        std::fprintf(stderr, "vk-host: --db und --doc gehören zusammen\n");
        return 2;
    }
    bool rechnungOk = false;
    const int rechnung = p.value("invoice").toInt(&rechnungOk);  // never wraps round to another record
    if (!rechnungOk) {
        std::fprintf(stderr, "vk-host: --invoice braucht eine ganze Zahl von 32 Bit\n");
        return 2;
    }
    if (p.isSet("db") && !fenster.Öffnen(p.value("db").toStdString(), rechnung, p.value("doc").toStdString(), benutzer)) {
        std::fprintf(stderr, "vk-host: %s\n", qPrintable(fenster.statusBar()->currentMessage()));
        if (p.isSet("screenshot")) return 1;
    }
    if (p.isSet("screenshot")) {
        const QStringList dateien = vkhost::BildschirmfotosSchreiben(fenster, p.value("screenshot"));
        for (const QString& d : dateien) std::printf("%s\n", qPrintable(d));
        return dateien.isEmpty() ? 1 : 0;
    }
    fenster.show();
    return app.exec();
}
