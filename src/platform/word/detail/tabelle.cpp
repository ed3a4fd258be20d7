// Tables in a story: adding at a place, deleting, and the grid rebuilt from the cell widths.
#include <algorithm>
#include <cmath>
#include <map>

#include "common/fehler.h"
#include "platform/word/detail/kern.h"
#include "platform/word/detail/xml.h"

namespace vk::word::detail {

namespace {

void RandSetzen(pugi::xml_node eltern, const char* seite, bool linie) {
    pugi::xml_node r = Kind(eltern, seite, kTblBorders);
    Setzen(r, "w:val", linie ? "single" : "nil");
    if (linie) {
        Setzen(r, "w:sz", "4");
        Setzen(r, "w:space", "0");
        Setzen(r, "w:color", "auto");
    } else {
        r.remove_attribute("w:sz");
        r.remove_attribute("w:space");
        r.remove_attribute("w:color");
    }
}

// A table must be followed by a paragraph (in a cell and before the section properties) and never
// touch another table, or word processors merge or reject them.
void Trennen(pugi::xml_node tbl) {
    pugi::xml_node eltern = tbl.parent();
    pugi::xml_node davor = VorigesElement(tbl);
    if (Ist(davor, "w:tbl")) eltern.insert_child_before("w:p", tbl);
    pugi::xml_node danach = NaechstesElement(tbl);
    if (!Ist(danach, "w:p")) {
        if (danach) eltern.insert_child_before("w:p", danach);
        else eltern.append_child("w:p");
    }
}

}  // namespace

pugi::xml_node ZeilenEigenschaften(pugi::xml_node tr) {
    if (pugi::xml_node k = tr.child("w:trPr")) return k;
    if (pugi::xml_node ex = tr.child("w:tblPrEx")) return tr.insert_child_after("w:trPr", ex);
    return tr.prepend_child("w:trPr");
}

namespace {

long Twips(pugi::xml_node breite) {
    if (!breite) return -1;
    std::string_view typ = breite.attribute("w:type").value();
    if (!typ.empty() && typ != "dxa") return -1;
    return breite.attribute("w:w").as_int(-1);
}

}  // namespace

long Kern::Textbreite() {
    pugi::xml_node sect = story(kHaupttext).wurzel.child("w:sectPr");
    long breite = sect.child("w:pgSz").attribute("w:w").as_int(11906);
    long links = sect.child("w:pgMar").attribute("w:left").as_int(1134);
    long rechts = sect.child("w:pgMar").attribute("w:right").as_int(1134);
    long b = breite - links - rechts;
    return b > 720 ? b : 9638;
}

std::string Kern::VorlageNeuerTabellen() {
    try {
        const std::string id = EinstellungenWurzel(false).child("w:defaultTableStyle").attribute("w:val").value();
        if (id.empty() || !stile_) return {};
        for (pugi::xml_node s : paket_.Xml(*stile_).document_element().children("w:style"))
            if (std::string_view(s.attribute("w:type").value()) == "table" && id == s.attribute("w:styleId").value())
                return id;
    } catch (const LaufzeitFehler&) {
        // a settings or styles part that is not XML names no style: the table is inserted without one
    }
    return {};
}

pugi::xml_node Kern::TabelleEinfuegen(int sid, long position, long zeilen, long spalten) {
    if (zeilen < 1 || spalten < 1 || zeilen > 32767 || spalten > 63)
        throw LaufzeitFehler(fehlernummer::UngueltigesArgument, "Unzulässige Zeilen- oder Spaltenzahl");
    const StoryCache* c = &cache(sid);
    long laengeVorher = c->Laenge();
    position = std::clamp(position, 0L, laengeVorher);
    Ort o = OrtBei(sid, position);
    c = &cache(sid);
    pugi::xml_node p = o.absatz;
    if (!p) throw LaufzeitFehler(fehlernummer::UngueltigesArgument, "Hier kann keine Tabelle eingefügt werden");
    auto [ps, pe] = c->bereiche.at(p.internal_object());
    long markePos = pe - 1;
    if (Ist(p.parent(), "w:tc") && LetztesElement(p.parent()) == p) markePos = pe - 2;  // cell mark
    long einfuegestelle = position;
    pugi::xml_node vor;  // the table goes before this block
    if (position <= ps) {
        vor = p;
        einfuegestelle = ps;
    } else if (position >= markePos) {
        vor = NaechstesElement(p);
        if (!vor) vor = p.parent().append_child("w:p");
        einfuegestelle = pe;
    } else {
        // split the paragraph at the place: its first part becomes a paragraph of its own
        TextEinfuegen(sid, position, U"\r", nullptr);
        einfuegestelle = position + 1;
        laengeVorher += 1;
        vor = p;
        c = &cache(sid);
    }
    long breite = std::max(1L, Textbreite() / spalten);

    pugi::xml_node tbl = vor.parent().insert_child_before("w:tbl", vor);
    pugi::xml_node tblPr = tbl.append_child("w:tblPr");
    // As a word processor inserts a table: with the document's style for new tables, if it names one.
    // LibreOffice applies a table style only to tables that name it, so the style's font size and
    // cell margins reach both programs this way.
    if (const std::string vorlage = VorlageNeuerTabellen(); !vorlage.empty())
        Setzen(Kind(tblPr, "w:tblStyle", kTblPr), "w:val", vorlage);
    pugi::xml_node tblW = Kind(tblPr, "w:tblW", kTblPr);
    Setzen(tblW, "w:w", "0");
    Setzen(tblW, "w:type", "auto");
    pugi::xml_node raender = Kind(tblPr, "w:tblBorders", kTblPr);
    for (const char* seite : {"w:top", "w:left", "w:bottom", "w:right", "w:insideH", "w:insideV"})
        RandSetzen(raender, seite, true);
    Setzen(Kind(tblPr, "w:tblLayout", kTblPr), "w:type", "fixed");
    pugi::xml_node gitter = tbl.append_child("w:tblGrid");
    for (long s = 0; s < spalten; ++s) Setzen(gitter.append_child("w:gridCol"), "w:w", breite);
    for (long z = 0; z < zeilen; ++z) {
        pugi::xml_node tr = tbl.append_child("w:tr");
        for (long s = 0; s < spalten; ++s) {
            pugi::xml_node tc = tr.append_child("w:tc");
            pugi::xml_node tcW = tc.append_child("w:tcPr").append_child("w:tcW");
            Setzen(tcW, "w:w", breite);
            Setzen(tcW, "w:type", "dxa");
            tc.append_child("w:p");
        }
    }
    Trennen(tbl);
    StoryGeaendert(sid);
    Veraendert(sid);
    long n = cache(sid).Laenge() - laengeVorher;
    Eingefuegt(sid, einfuegestelle, n, nullptr);
    return tbl;
}

void Kern::TabelleLoeschen(pugi::xml_node tbl) {
    Pruefen(tbl);
    int sid = StoryEines(tbl);
    const StoryCache& c = cache(sid);
    auto [ts, te] = c.bereiche.at(tbl.internal_object());
    long laengeVorher = c.Laenge();
    pugi::xml_node eltern = tbl.parent();
    pugi::xml_node davor = VorigesElement(tbl), danach = NaechstesElement(tbl);
    Entfernen(tbl);
    long ersatz = 0;
    bool irgendeinAbsatz = false;
    for (pugi::xml_node k = ErstesElement(eltern); k; k = NaechstesElement(k))
        if (Ist(k, "w:p")) irgendeinAbsatz = true;
    bool luecke = (Ist(davor, "w:tbl") && Ist(danach, "w:tbl")) || !irgendeinAbsatz ||
                  (Ist(eltern, "w:tc") && !Ist(LetztesElement(eltern), "w:p"));
    if (luecke) {
        if (danach) eltern.insert_child_before("w:p", danach);
        else eltern.append_child("w:p");
        ersatz = 1;
    }
    DokumentGeaendert();
    Veraendert();
    (void)laengeVorher;
    Ersetzt(sid, ts, te, ersatz, nullptr);
}

void Kern::GitterNeuBerechnen(pugi::xml_node tbl) {
    // widths of the old grid columns, to size cells without a width of their own
    std::vector<long> alt;
    for (pugi::xml_node g : tbl.child("w:tblGrid").children("w:gridCol")) alt.push_back(g.attribute("w:w").as_int(0));

    struct Zelle {
        pugi::xml_node tc;
        long von, bis;
    };
    std::vector<std::vector<Zelle>> zeilen;
    std::vector<long> grenzen{0};
    for (pugi::xml_node tr : tbl.children("w:tr")) {
        std::vector<Zelle> z;
        long x = 0;
        std::size_t spalteAlt = static_cast<std::size_t>(tr.child("w:trPr").child("w:gridBefore").attribute("w:val").as_int(0));
        if (long vorher = Twips(tr.child("w:trPr").child("w:wBefore")); vorher > 0) x = vorher;
        for (pugi::xml_node tc : tr.children("w:tc")) {
            long spann = std::max(1, tc.child("w:tcPr").child("w:gridSpan").attribute("w:val").as_int(1));
            long b = Twips(tc.child("w:tcPr").child("w:tcW"));
            if (b < 0) {
                b = 0;
                for (long k = 0; k < spann && spalteAlt + static_cast<std::size_t>(k) < alt.size(); ++k)
                    b += alt[spalteAlt + static_cast<std::size_t>(k)];
                if (b <= 0) b = 1000;
            }
            spalteAlt += static_cast<std::size_t>(spann);
            z.push_back({tc, x, x + b});
            x += b;
            grenzen.push_back(x);
        }
        zeilen.push_back(std::move(z));
    }
    std::sort(grenzen.begin(), grenzen.end());
    std::vector<long> gitter;  // boundaries, merged when closer than 3 twips
    for (long g : grenzen)
        if (gitter.empty() || g - gitter.back() >= 3) gitter.push_back(g);
    auto index = [&](long x) {
        auto it = std::min_element(gitter.begin(), gitter.end(),
                                   [x](long a, long b) { return std::labs(a - x) < std::labs(b - x); });
        return static_cast<long>(it - gitter.begin());
    };
    long spalten = static_cast<long>(gitter.size()) - 1;

    pugi::xml_node tblGrid = tbl.child("w:tblGrid");
    if (!tblGrid) tblGrid = tbl.insert_child_after("w:tblGrid", tbl.child("w:tblPr"));
    while (tblGrid.first_child()) tblGrid.remove_child(tblGrid.first_child());
    for (long i = 0; i < spalten; ++i)
        Setzen(tblGrid.append_child("w:gridCol"), "w:w", gitter[static_cast<std::size_t>(i) + 1] - gitter[static_cast<std::size_t>(i)]);

    std::size_t zi = 0;
    for (pugi::xml_node tr : tbl.children("w:tr")) {
        const auto& z = zeilen[zi++];
        long ende = 0;
        long startIndex = z.empty() ? 0 : index(z.front().von);
        for (const Zelle& zelle : z) {
            long a = index(zelle.von), b = index(zelle.bis);
            long spann = std::max(1L, b - a);
            pugi::xml_node tcPr = Eigenschaften(zelle.tc, "w:tcPr");
            if (spann > 1) Setzen(Kind(tcPr, "w:gridSpan", kTcPr), "w:val", spann);
            else tcPr.remove_child("w:gridSpan");
            ende = b;
        }
        pugi::xml_node trPr = tr.child("w:trPr");
        if (startIndex > 0) {
            if (!trPr) trPr = ZeilenEigenschaften(tr);
            Setzen(Kind(trPr, "w:gridBefore", {}), "w:val", startIndex);
        }
        if (ende < spalten) {
            if (!trPr) trPr = ZeilenEigenschaften(tr);
            Setzen(Kind(trPr, "w:gridAfter", {}), "w:val", spalten - ende);
            pugi::xml_node wAfter = Kind(trPr, "w:wAfter", {});
            Setzen(wAfter, "w:w", gitter.back() - gitter[static_cast<std::size_t>(ende)]);
            Setzen(wAfter, "w:type", "dxa");
        } else if (trPr) {
            trPr.remove_child("w:gridAfter");
            trPr.remove_child("w:wAfter");
        }
    }
}

}  // namespace vk::word::detail
