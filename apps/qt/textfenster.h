// A modal window that shows a text to read: a heading above it and a "Schließen" button below. The
// error log and the check's report use it.
#pragma once

#include <QSize>
#include <QString>

class QWidget;

namespace vkhost {

struct Textfenster {
    QString name;       // object name of the window
    QString titel;      // window title
    QString kopf;       // the heading above the text (object name "Kopf")
    QString text;       // the text (object name textName)
    QString textName;
    bool umbrechen = true;      // wrap lines at the window's width
    bool festeBreite = false;   // a fixed-width font (log entries line up)
    QSize größe{640, 480};
};

void TextfensterZeigen(QWidget* eltern, const Textfenster& fenster);

}  // namespace vkhost
