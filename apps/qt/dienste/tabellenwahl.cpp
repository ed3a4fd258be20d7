#include "dienste/tabellenwahl.h"

#include <QApplication>
#include <QDialog>
#include <QVBoxLayout>

#include "bindung/formfenster.h"

namespace vkhost {

void TabellenwahlZeigen(vk::G_frmTabelle& form) {
    QDialog dialog(QApplication::activeWindow());
    dialog.setObjectName("Tabellenwahl");
    auto* layout = new QVBoxLayout(&dialog);
    layout->setContentsMargins(0, 0, 0, 0);
    auto* inhalt = new FormFenster(form, &dialog);
    layout->addWidget(inhalt);
    dialog.setWindowTitle(inhalt->windowTitle());
    QObject::connect(inhalt, &FormFenster::SichtbarkeitNeu, &dialog, [&dialog](bool sichtbar) {
        if (!sichtbar) dialog.accept();
    });
    QObject::connect(inhalt, &FormFenster::Entladen, &dialog, &QDialog::reject);
    if (form.Left() != 0 || form.Top() != 0) dialog.move(Pixel(static_cast<int>(form.Left())), Pixel(static_cast<int>(form.Top())));
    dialog.exec();
    if (!inhalt->Form()) return;
    form.SetLeft(static_cast<float>(Twips(dialog.x())));
    form.SetTop(static_cast<float>(Twips(dialog.y())));
}

}  // namespace vkhost
