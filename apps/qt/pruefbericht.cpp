#include "pruefbericht.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QFontDatabase>
#include <QLabel>
#include <QPlainTextEdit>
#include <QVBoxLayout>

namespace vkhost {

std::vector<long> AbweichendeTabellen(const vk::Prüfbericht& bericht) {
    std::vector<long> tabellen;
    for (const vk::Tabellenbefund& t : bericht.tabellen)
        if (t.ergebnis == vk::Prüfergebnis::WeichtAb) tabellen.push_back(t.tabelle);
    if (!bericht.summen.empty() && bericht.summentabelle) tabellen.push_back(bericht.summentabelle);
    return tabellen;
}

void PrüfberichtZeigen(QWidget* eltern, const vk::Prüfbericht& bericht) {
    QDialog fenster(eltern);
    fenster.setObjectName("Pruefbericht");
    fenster.setWindowTitle("Rechnung prüfen");
    auto* layout = new QVBoxLayout(&fenster);
    auto* kopf = new QLabel(bericht.Stimmt()
                                ? "Die Rechnung stimmt mit der Gebührenordnung und ihren Summen überein."
                                : "Die Rechnung weicht ab; die abweichenden Tabellen sind in der Vorschau markiert.");
    kopf->setObjectName("Ergebnis");
    kopf->setWordWrap(true);
    layout->addWidget(kopf);
    auto* text = new QPlainTextEdit;
    text->setObjectName("Bericht");
    text->setReadOnly(true);
    text->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    QStringList zeilen;
    for (const std::string& zeile : vk::Berichtszeilen(bericht)) zeilen << QString::fromStdString(zeile);
    text->setPlainText(zeilen.join("\n"));
    layout->addWidget(text);
    auto* knöpfe = new QDialogButtonBox(QDialogButtonBox::Close);
    QObject::connect(knöpfe, &QDialogButtonBox::rejected, &fenster, &QDialog::reject);
    layout->addWidget(knöpfe);
    fenster.resize(760, 420);
    fenster.exec();
}

}  // namespace vkhost
