#include "dienste/nachrichten.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <utility>
#include <vector>

namespace vkhost {

namespace {

struct Knopf {
    int code;
    const char* text;
    QMessageBox::ButtonRole rolle;
};

// The buttons of a button set (the low three bits of the flags), the safe one last.
std::vector<Knopf> Knöpfe(int satz) {
    using namespace vk::msgbox;
    switch (satz) {
        case OKAbbrechen: return {{OK, "OK", QMessageBox::AcceptRole}, {Abbrechen, "Abbrechen", QMessageBox::RejectRole}};
        case AbbruchWiederholenIgnorieren:
            return {{Wiederholen, "Wiederholen", QMessageBox::AcceptRole},
                    {Ignorieren, "Ignorieren", QMessageBox::AcceptRole},
                    {Abbruch, "Abbruch", QMessageBox::RejectRole}};
        case JaNeinAbbrechen:
            return {{Ja, "Ja", QMessageBox::YesRole}, {Nein, "Nein", QMessageBox::NoRole},
                    {Abbrechen, "Abbrechen", QMessageBox::RejectRole}};
        case JaNein: return {{Ja, "Ja", QMessageBox::YesRole}, {Nein, "Nein", QMessageBox::NoRole}};
        case WiederholenAbbrechen:
            return {{Wiederholen, "Wiederholen", QMessageBox::AcceptRole}, {Abbrechen, "Abbrechen", QMessageBox::RejectRole}};
        default: return {{OK, "OK", QMessageBox::AcceptRole}};
    }
}

QMessageBox::Icon Symbol(int flags) {
    switch (flags & 0x70) {
        case 16: return QMessageBox::Critical;
        case 32: return QMessageBox::Question;
        case 48: return QMessageBox::Warning;
        case 64: return QMessageBox::Information;
        default: return QMessageBox::NoIcon;
    }
}

}  // namespace

int QtNachrichten::Zeigen(const std::string& text, int flags, const std::string& titel) {
    QMessageBox box(QApplication::activeWindow());
    box.setWindowTitle(QString::fromStdString(titel.empty() ? std::string("vk-host") : titel));
    box.setText(QString::fromStdString(text));
    box.setIcon(Symbol(flags));
    const std::vector<Knopf> knöpfe = Knöpfe(flags & 7);
    std::vector<std::pair<QAbstractButton*, int>> codes;
    for (const Knopf& k : knöpfe) codes.emplace_back(box.addButton(QString::fromUtf8(k.text), k.rolle), k.code);
    box.setEscapeButton(codes.back().first);
    // The default button is the first one unless the flags name the second or third (256, 512).
    const std::size_t standard = static_cast<std::size_t>((flags >> 8) & 3);
    box.setDefaultButton(qobject_cast<QPushButton*>(codes[standard < codes.size() ? standard : 0].first));
    box.exec();
    for (const auto& [knopf, code] : codes)
        if (box.clickedButton() == knopf) return code;
    return knöpfe.back().code;
}

}  // namespace vkhost
