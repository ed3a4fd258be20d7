// The invoices opened last, newest first, for "Datei › Zuletzt geöffnet": each with its office
// database and invoice record, kept in the host's settings (vk-host.ini, at most eight).
#pragma once

#include <QString>
#include <vector>

namespace vkhost {

struct ZuletztGeöffnet {
    QString datenbank;
    int rechnung = 0;
    QString dokument;
    bool operator==(const ZuletztGeöffnet&) const = default;
};

std::vector<ZuletztGeöffnet> ZuletztLesen();
// Puts the invoice first (once).
void ZuletztMerken(const ZuletztGeöffnet& eintrag);

}  // namespace vkhost
