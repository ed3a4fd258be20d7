// A host program of its own: prices a boundary certificate on the demo invoice through the public
// C++ interface, proves the invoice and prices a fee scale. Exit 0 when all of it holds.
#include <vk_lp_08/vk_lp_08.h>

#include <iostream>

int main(int argc, char** argv) {
    if (argc != 3) return 2;
    try {
        // 800 m² at 10 €/m²: scale 1, column 1,01 - 10,00, row 501 - 1000: 1.500,00.
        if (vk::Gebührenstaffel1(10.0, 800.0) != 1500.0) return 1;
        {
            vk::Rechnungssitzung s({argv[1], 1, 1, argv[2], {}});
            s.KategorieÖffnen(4, "1");
            s.Setzen("chkOrt=1");
            s.Setzen("mskMehrfach=2");
            s.Bestätigen();
            // With inspection (150,00) and two copies: 300,00 in the last row.
            const auto tabelle = s.GeschriebeneTabelle();
            std::cout << tabelle.back().back() << '\n';
            if (tabelle.back().back() != "  300,00 €") return 1;
        }
        const vk::Prüfbericht bericht = vk::RechnungPrüfen({argv[1], 1, 1, argv[2]});
        for (const std::string& zeile : vk::Berichtszeilen(bericht)) std::cout << zeile << '\n';
        return bericht.Stimmt() ? 0 : 1;
    } catch (const vk::LaufzeitFehler& f) {
        std::cerr << "vk_wirt: " << f.Beschreibung() << '\n';
        return 2;
    }
}
