// vk-host --screenshot DIR: the main window on its invoice, then every category dialog that exists,
// opened fresh ("neuer Abrechnungspunkt") and re-opened on its table ("1. vorhandener Eintrag"),
// each inside the main window, and the table-choice dialog, as PNG files; the dialogs are closed with
// "&Abbruch", so the invoice stays as it was.
#pragma once

#include <QString>
#include <QStringList>

namespace vkhost {

class Hauptfenster;

// The files written, in order; an empty list when the folder cannot be written.
QStringList BildschirmfotosSchreiben(Hauptfenster& fenster, const QString& ordner);

}  // namespace vkhost
