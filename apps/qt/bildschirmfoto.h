// vk-host --screenshot DIR: PNG files of what a person sees, made on the six-category demo invoice
// (vk demo): "hauptfenster.png", the main window with the first category's dialog re-opened on its
// table beside the preview of the invoice; one picture of every category's dialog, re-opened on its
// table ("1. vorhandener Eintrag") where the invoice has one, else fresh ("kategorieN.png"); and the
// table-choice dialog ("tabellenwahl.png"). The dialogs are closed with "&Abbruch", so the invoice
// stays as it was.
#pragma once

#include <QString>
#include <QStringList>

namespace vkhost {

class Hauptfenster;

// The files written, in order; an empty list when the folder cannot be written.
QStringList BildschirmfotosSchreiben(Hauptfenster& fenster, const QString& ordner);

}  // namespace vkhost
