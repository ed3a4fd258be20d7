// The Qt services of the controls layer, put in place for the host and taken out again: message box,
// mouse pointer, window manager, settings store, and the table-choice dialog's modal step.
#pragma once

#include <memory>

#include "dienste/einstellungen.h"
#include "dienste/fensterverwaltung.h"
#include "dienste/mauszeiger.h"
#include "dienste/nachrichten.h"

namespace vkhost {

struct QtDienste {
    std::shared_ptr<QtNachrichten> nachrichten = std::make_shared<QtNachrichten>();
    std::shared_ptr<QtBildschirm> bildschirm = std::make_shared<QtBildschirm>();
    std::shared_ptr<QtFensterverwaltung> fenster = std::make_shared<QtFensterverwaltung>();
    std::shared_ptr<QtEinstellungen> einstellungen = std::make_shared<QtEinstellungen>();

    QtDienste();   // installs them
    ~QtDienste();  // restores the headless defaults
    QtDienste(const QtDienste&) = delete;
    QtDienste& operator=(const QtDienste&) = delete;
};

}  // namespace vkhost
