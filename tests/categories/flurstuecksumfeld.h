// Test fixture of the parcel-formation dialog: a job of 800 m² at 10 €/m² with 5 boundary points
// on parcel "12/3".
#pragma once

#include <string>

#include "categories/frmKat1.h"
#include "categories/kategorieumfeld.h"
#include "platform/controls/wiedergabe.h"

namespace vktest {

class Flurstuecksumfeld : public Kategorieumfeld {
protected:
    void SetUp() override {
        Kategorieumfeld::SetUp();
        auto& k = vk::Kontext();
        k.Fläche = 800;
        k.Bodenwert = 10;
        k.AnzahlGrenzpunkte = 5;
        k.Flurstücksnummer = "12/3";
    }

    vk::frmKat1& Form() { return Oeffnen<vk::frmKat1>(0); }

    static void Setzen(vk::frmKat1& f, const std::string& anweisung) { vk::ui::Setzen(f, anweisung); }

    // Totals entry with area, land value and parcel count typed in.
    static void Summen(vk::frmKat1& f, const std::string& fläche, const std::string& wert,
                       const std::string& anzahl) {
        Setzen(f, "optJa(1)=1");
        Setzen(f, "MaskEdBoxFläche=" + fläche);
        Setzen(f, "MaskEdBoxWert=" + wert);
        if (!anzahl.empty()) Setzen(f, "txtAnzahl=" + anzahl);
    }
};

}  // namespace vktest
