#include "textfenster.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QFontDatabase>
#include <QLabel>
#include <QPlainTextEdit>
#include <QVBoxLayout>

namespace vkhost {

void TextfensterZeigen(QWidget* eltern, const Textfenster& f) {
    QDialog fenster(eltern);
    fenster.setObjectName(f.name);
    fenster.setWindowTitle(f.titel);
    auto* layout = new QVBoxLayout(&fenster);
    auto* kopf = new QLabel(f.kopf);
    kopf->setObjectName("Kopf");
    kopf->setTextInteractionFlags(Qt::TextSelectableByMouse);
    kopf->setWordWrap(true);
    layout->addWidget(kopf);
    auto* text = new QPlainTextEdit(f.text);
    text->setObjectName(f.textName);
    text->setReadOnly(true);
    text->setLineWrapMode(f.umbrechen ? QPlainTextEdit::WidgetWidth : QPlainTextEdit::NoWrap);
    if (f.festeBreite) text->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    layout->addWidget(text, 1);
    auto* knöpfe = new QDialogButtonBox(QDialogButtonBox::Close);
    QObject::connect(knöpfe, &QDialogButtonBox::rejected, &fenster, &QDialog::reject);
    layout->addWidget(knöpfe);
    fenster.resize(f.größe);
    fenster.exec();
}

}  // namespace vkhost
