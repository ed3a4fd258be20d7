#include "meldungsfilter.h"

#include <QString>
#include <QtGlobal>

namespace vkhost {

namespace {

QtMessageHandler vorheriger = nullptr;

void Filtern(QtMsgType art, const QMessageLogContext& ort, const QString& text) {
    if (text.contains(QLatin1String("does not support propagateSizeHints"))) return;
    if (vorheriger) vorheriger(art, ort, text);
}

}  // namespace

void QtMeldungenFiltern() {
    const QtMessageHandler alt = qInstallMessageHandler(Filtern);
    if (alt != Filtern) vorheriger = alt;
}

}  // namespace vkhost
