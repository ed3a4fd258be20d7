#include "bindung/symbolbilder.h"

#include <QApplication>
#include <QStyle>
#include <string>

namespace vkhost {

QIcon Symbolbild(const vk::ui::Bild& bild) {
    if (bild.Leer()) return {};
    const std::string& q = bild.quelle;
    const std::size_t strich = q.rfind('/');
    const std::string schlüssel = strich == std::string::npos ? q : q.substr(strich + 1);
    QStyle* stil = QApplication::style();
    if (q.rfind("Symbol/", 0) == 0) return stil->standardIcon(QStyle::SP_FileDialogDetailedView);
    if (schlüssel == "OK") return stil->standardIcon(QStyle::SP_DialogOkButton);
    if (schlüssel == "Abbruch") return stil->standardIcon(QStyle::SP_DialogCancelButton);
    if (schlüssel == "Dokument") return stil->standardIcon(QStyle::SP_FileIcon);
    if (schlüssel == "Löschen") return stil->standardIcon(QStyle::SP_TrashIcon);
    return {};
}

}  // namespace vkhost
