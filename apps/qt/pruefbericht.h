// The report of "Rechnung prüfen" as the host shows it: a window with one line per table, the totals,
// the letter text and the invoice record, headed by whether the invoice can be sent.
#pragma once

#include "document/Rechnungspruefung.h"

class QWidget;

namespace vkhost {

// The window "Rechnung prüfen" over `eltern` (modal until closed).
void PrüfberichtZeigen(QWidget* eltern, const vk::Prüfbericht& bericht);

// The tables (1-based) the report finds different, to mark in the preview.
std::vector<long> AbweichendeTabellen(const vk::Prüfbericht& bericht);

}  // namespace vkhost
