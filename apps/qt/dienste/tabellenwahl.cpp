#include "dienste/tabellenwahl.h"

#include <QApplication>
#include <QDialog>
#include <QKeyEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>
#include <algorithm>
#include <utility>
#include <vector>

#include "bindung/aktion.h"
#include "bindung/formfenster.h"
#include "dienste/bildschirmplatz.h"
#include "platform/controls/wiedergabe.h"

namespace vkhost {

namespace {

bool abgebrochen = false;

// The options in the order they stand, the enabled ones only.
std::vector<vk::ui::OptionButton*> Angeboten(vk::G_frmTabelle& form) {
    std::vector<vk::ui::OptionButton*> alle{&form.optNeu};
    for (int i = 0; i < 5; ++i) alle.push_back(&form.optTabelle(i));
    alle.push_back(&form.optAktTabelle);
    std::erase_if(alle, [](vk::ui::OptionButton* o) { return !o->Bedienbar(); });
    return alle;
}

// Up and Down (and Left and Right) move the choice to the option before or after it.
class Pfeiltasten : public QObject {
public:
    Pfeiltasten(vk::G_frmTabelle& form, QDialog& dialog) : QObject(&dialog), form_(form), dialog_(dialog) {}

protected:
    bool eventFilter(QObject* o, QEvent* e) override {
        if (e->type() != QEvent::KeyPress) return QObject::eventFilter(o, e);
        const int taste = static_cast<QKeyEvent*>(e)->key();
        const int schritt = taste == Qt::Key_Down || taste == Qt::Key_Right ? 1 : taste == Qt::Key_Up || taste == Qt::Key_Left ? -1 : 0;
        if (schritt == 0) return QObject::eventFilter(o, e);
        const std::vector<vk::ui::OptionButton*> optionen = Angeboten(form_);
        int jetzt = 0;
        for (std::size_t i = 0; i < optionen.size(); ++i)
            if (optionen[i]->Value()) jetzt = static_cast<int>(i);
        const int neu = std::clamp(jetzt + schritt, 0, static_cast<int>(optionen.size()) - 1);
        Ausführen([&] { vk::ui::Wählen(*optionen[static_cast<std::size_t>(neu)]); });
        if (auto* knopf = dialog_.findChild<QRadioButton*>(QString::fromStdString(optionen[static_cast<std::size_t>(neu)]->VollerName())))
            knopf->setFocus(Qt::TabFocusReason);
        return true;
    }

private:
    vk::G_frmTabelle& form_;
    QDialog& dialog_;
};

void Vorbereiten(vk::G_frmTabelle& form) {
    // Each existing table says what it holds.
    for (std::size_t i = 0; i < 5; ++i) {
        std::string text = std::to_string(i + 1) + ". vorhandener Eintrag";
        if (i < form.eintragsTexte.size()) text += ": " + form.eintragsTexte[i];
        form.optTabelle(static_cast<int>(i)).SetCaption(text);
    }
    // The category's table, when there is one, rather than a new one.
    if (form.optTabelle(0).Bedienbar()) Ausführen([&] { vk::ui::Wählen(form.optTabelle(0)); });
}

}  // namespace

bool TabellenwahlAbgebrochen() { return std::exchange(abgebrochen, false); }

void TabellenwahlZeigen(vk::G_frmTabelle& form) {
    abgebrochen = false;
    QDialog dialog(QApplication::activeWindow());
    dialog.setObjectName("Tabellenwahl");
    auto* layout = new QVBoxLayout(&dialog);
    layout->setContentsMargins(0, 0, 0, 0);
    Vorbereiten(form);
    auto* inhalt = new FormFenster(form, &dialog);
    layout->addWidget(inhalt);
    dialog.setWindowTitle(inhalt->windowTitle());
    QObject::connect(inhalt, &FormFenster::SichtbarkeitNeu, &dialog, [&dialog](bool sichtbar) {
        if (!sichtbar) dialog.accept();
    });
    QObject::connect(inhalt, &FormFenster::Entladen, &dialog, &QDialog::reject);
    if (auto* abbrechen = dialog.findChild<QPushButton*>("Abbrechen")) {
        abbrechen->setAutoDefault(false);
        QObject::connect(abbrechen, &QPushButton::clicked, &dialog, &QDialog::reject);
    }
    auto* pfeile = new Pfeiltasten(form, dialog);
    for (QRadioButton* knopf : dialog.findChildren<QRadioButton*>()) knopf->installEventFilter(pfeile);
    dialog.adjustSize();
    // The stored place is the dialog's inner top left (without the frame the window manager adds),
    // as it is read back below: it stays where the person left it, and on the screen it is on.
    if (form.Left() != 0 || form.Top() != 0) {
        const QPoint ort(Pixel(static_cast<int>(form.Left())), Pixel(static_cast<int>(form.Top())));
        dialog.setGeometry(AufDemBildschirm(QRect(ort, dialog.size()), dialog.parentWidget()));
    }
    if (QWidget* gewählt = dialog.findChild<QRadioButton*>(form.optTabelle(0).Value() ? "optTabelle(0)" : "optNeu(0)"))
        gewählt->setFocus(Qt::TabFocusReason);
    abgebrochen = dialog.exec() != QDialog::Accepted;
    if (!inhalt->Form()) return;
    form.SetLeft(static_cast<float>(Twips(dialog.geometry().x())));
    form.SetTop(static_cast<float>(Twips(dialog.geometry().y())));
    // Closed without a choice: the form is hidden as OK hides it, the host drops the dialog it opens.
    if (abgebrochen) Ausführen([&] { form.Hide(); });
}

}  // namespace vkhost
