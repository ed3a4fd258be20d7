// The dialogs' layouts as Qt Designer forms: one .ui file per form, named after it ("frmKat5.ui"),
// built into the program and loaded at run time with QUiLoader. A folder named by the environment
// variable VK_HOST_FORMEN is looked in first, so a layout changed in Qt Designer shows without a
// rebuild. Line edits and tables of a form are made as the binding's own widgets (Texteingabe,
// Gittertabelle); every other widget is Qt's, as Designer shows it.
#pragma once

#include <QString>

class QWidget;

namespace vkhost {

// Where the form's .ui file is ("" when it has none: the automatic layout serves).
QString EntwurfPfad(const QString& form);
// The form's layout as a widget under `eltern`; nullptr when it has no .ui file or the file cannot
// be read (then `fehler` says why).
QWidget* EntwurfLaden(const QString& form, QWidget* eltern, QString* fehler = nullptr);

}  // namespace vkhost
