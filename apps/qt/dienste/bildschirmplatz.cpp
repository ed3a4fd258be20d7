#include "dienste/bildschirmplatz.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>
#include <algorithm>

namespace vkhost {

QRect AufDemBildschirm(const QRect& gewünscht, const QWidget* bezug) {
    QScreen* schirm = QGuiApplication::screenAt(gewünscht.center());
    if (!schirm && bezug) schirm = bezug->screen();
    if (!schirm) schirm = QGuiApplication::primaryScreen();
    if (!schirm) return gewünscht;
    const QRect frei = schirm->availableGeometry();
    QRect r(gewünscht.topLeft(), gewünscht.size().boundedTo(frei.size()));
    r.moveLeft(std::clamp(r.left(), frei.left(), frei.right() - r.width() + 1));
    r.moveTop(std::clamp(r.top(), frei.top(), frei.bottom() - r.height() + 1));
    return r;
}

}  // namespace vkhost
