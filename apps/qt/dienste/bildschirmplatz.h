// Keeping windows on the screen they are on: a place restored from the settings or a size asked
// for is moved and shrunk into the screen's available area (without panels and docks).
#pragma once

#include <QRect>

class QWidget;

namespace vkhost {

// The rectangle moved (and, where larger, shrunk) into the available area of the screen that holds
// its centre, else of the screen `bezug` is on, else of the primary screen.
QRect AufDemBildschirm(const QRect& gewünscht, const QWidget* bezug = nullptr);

}  // namespace vkhost
