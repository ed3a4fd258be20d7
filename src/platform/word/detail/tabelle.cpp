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
    AnkerBleiben anker(*this);  // an empty table, a paragraph split or added: no shape comes or goes
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
    bool vorNeu = false;  // vor is a paragraph made for it
    if (position <= ps) {
        vor = p;
        einfuegestelle = ps;
    } else if (position >= markePos) {
        vor = NaechstesElement(p);
        if (!vor) {
            vor = p.parent().append_child("w:p");
            vorNeu = true;
        }
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
    const pugi::xml_node davor = VorigesElement(tbl);
    Trennen(tbl);
    StoryGeaendert(sid);
    // What went in: the table, a paragraph that Trennen put before or after it, and a paragraph made
    // as the place to insert before.
    pugi::xml_node erster = VorigesElement(tbl) != davor ? VorigesElement(tbl) : tbl;
    pugi::xml_node letzter = vorNeu ? vor : NaechstesElement(tbl) != vor ? NaechstesElement(tbl) : tbl;
    long n = 0;
    if (!BloeckeEingefuegt(sid, erster, letzter, vorNeu ? pugi::xml_node() : vor, einfuegestelle, n)) {
        Veraendert(sid);
        n = cache(sid).Laenge() - laengeVorher;
    }
    Eingefuegt(sid, einfuegestelle, n, nullptr);
    return tbl;
}

namespace {

// Index of the first entry of an ordered list of nodes (paragraphs, cells, tables) whose extent
// starts at or after position.
std::size_t ErstesAb(const std::vector<pugi::xml_node_struct*>& liste, const KnotenBereiche& bereiche, long position) {
    auto it = std::partition_point(liste.begin(), liste.end(),
                                   [&](pugi::xml_node_struct* k) { return bereiche.at(k).first < position; });
    return static_cast<std::size_t>(it - liste.begin());
}

bool HatMarken(const StoryCache& c) {
    return !c.kommentarStart.empty() || !c.kommentarEnde.empty() || !c.kommentarReferenz.empty() ||
           !c.textmarkeStart.empty() || !c.textmarkeEnde.empty();
}

bool Innerhalb(pugi::xml_node_struct* knoten, pugi::xml_node vorfahr) {
    for (pugi::xml_node k(knoten); k; k = k.parent())
        if (k == vorfahr) return true;
    return false;
}

}  // namespace

bool Kern::BloeckeEingefuegt(int sid, pugi::xml_node erster, pugi::xml_node letzter, pugi::xml_node vor, long position,
                             long& n) {
    // A table inserted among the blocks of the story root costs a reading of its own few rows instead
    // of the whole story's. Inside a cell, a content control or a revision the place of the new
    // blocks is left to a fresh reading, and so are new blocks that carry marks.
    Story& st = stories_[static_cast<std::size_t>(sid)];
    if (!st.gueltig || erster.parent() != st.wurzel || letzter.parent() != st.wurzel) return false;
    StoryCache teil;
    BloeckeLesen(erster, letzter, position, teil);
    if (HatMarken(teil)) return false;
    Veraendert(sid);  // other stories sharing the tree, and everything keyed by generation
    st.gueltig = true;
    StoryCache& c = st.cache;
    n = teil.Laenge();
    const std::size_t absatz = ErstesAb(c.absaetze, c.bereiche, position);
    const std::size_t zelle = ErstesAb(c.zellen, c.bereiche, position);
    const std::size_t tabelle = ErstesAb(c.tabellen, c.bereiche, position);
    const std::size_t jedeTabelle = ErstesAb(c.alleTabellen, c.bereiche, position);
    auto stueck = std::lower_bound(c.stuecke.begin(), c.stuecke.end(), position,
                                   [](const Stueck& s, long p) { return s.start < p; });
    for (auto it = stueck; it != c.stuecke.end(); ++it) it->start += n;
    c.stuecke.insert(stueck, teil.stuecke.begin(), teil.stuecke.end());
    c.text.insert(static_cast<std::size_t>(position), teil.text);
    // Everything from the place on follows the new blocks (nothing at the story root encloses it).
    c.bereiche.Verschieben(position, [position, n](KnotenBereiche::Bereich& bereich) {
        if (bereich.first >= position) bereich.first += n;
        if (bereich.second > position) bereich.second += n;
    });
    for (const auto& [knoten, bereich] : teil.bereiche) c.bereiche.Anhaengen(knoten, bereich);
    c.absaetze.insert(c.absaetze.begin() + static_cast<std::ptrdiff_t>(absatz), teil.absaetze.begin(), teil.absaetze.end());
    c.zellen.insert(c.zellen.begin() + static_cast<std::ptrdiff_t>(zelle), teil.zellen.begin(), teil.zellen.end());
    c.tabellen.insert(c.tabellen.begin() + static_cast<std::ptrdiff_t>(tabelle), teil.tabellen.begin(), teil.tabellen.end());
    c.alleTabellen.insert(c.alleTabellen.begin() + static_cast<std::ptrdiff_t>(jedeTabelle), teil.alleTabellen.begin(),
                          teil.alleTabellen.end());
    // Marks after the place move on; those at it only when they lie in the block the new ones went before.
    for (auto* karte : {&c.kommentarStart, &c.kommentarEnde, &c.kommentarReferenz, &c.textmarkeStart, &c.textmarkeEnde})
        for (auto& [id, m] : *karte)
            if (m.position > position || (m.position == position && vor && Innerhalb(m.knoten, vor))) m.position += n;
    return true;
}

std::vector<pugi::xml_node_struct*> Kern::TabellenIn(pugi::xml_node tbl) {
    std::vector<pugi::xml_node_struct*> aus;
    const int sid = StoryEines(tbl);
    if (sid < 0) return aus;
    const StoryCache& c = cache(sid);
    if (c.alleTabellen.size() == c.tabellen.size()) return aus;  // no table of the story is nested
    const long ende = c.bereiche.at(tbl.internal_object()).second;
    for (std::size_t i = ErstesAb(c.alleTabellen, c.bereiche, c.bereiche.at(tbl.internal_object()).first);
         i < c.alleTabellen.size() && c.bereiche.at(c.alleTabellen[i]).first < ende; ++i) {
        pugi::xml_node innen(c.alleTabellen[i]);
        pugi::xml_node aussen = innen.parent();
        while (aussen && !Ist(aussen, "w:tbl")) aussen = aussen.parent();
        if (aussen == tbl) aus.push_back(innen.internal_object());
    }
    return aus;
}

bool Kern::TabelleAusStrom(int sid, pugi::xml_node tbl, long ts, long te, const std::vector<std::string>& ids) {
    Story& st = stories_[static_cast<std::size_t>(sid)];
    if (!st.gueltig || st.cache.markenDoppelt) return false;
    Veraendert(sid);
    st.gueltig = true;
    StoryCache& c = st.cache;
    const long d = te - ts;
    auto von = std::lower_bound(c.stuecke.begin(), c.stuecke.end(), ts, [](const Stueck& s, long p) { return s.start < p; });
    auto bis = std::lower_bound(von, c.stuecke.end(), te, [](const Stueck& s, long p) { return s.start < p; });
    for (auto it = bis; it != c.stuecke.end(); ++it) it->start -= d;
    c.stuecke.erase(von, bis);
    c.text.erase(static_cast<std::size_t>(ts), static_cast<std::size_t>(d));
    auto ausschneiden = [&](std::vector<pugi::xml_node_struct*>& liste) {
        const std::size_t a = ErstesAb(liste, c.bereiche, ts), b = ErstesAb(liste, c.bereiche, te);
        liste.erase(liste.begin() + static_cast<std::ptrdiff_t>(a), liste.begin() + static_cast<std::ptrdiff_t>(b));
    };
    ausschneiden(c.absaetze);
    ausschneiden(c.zellen);
    ausschneiden(c.tabellen);
    ausschneiden(c.alleTabellen);
    // the entries of the table's own nodes go; what followed moves back
    c.bereiche.EntfernenIn(ts, te);
    c.bereiche.Verschieben(te, [te, d](KnotenBereiche::Bereich& bereich) {
        if (bereich.first >= te) bereich.first -= d;
        if (bereich.second >= te) bereich.second -= d;
    });
    if (!st.markenGueltig) return true;  // the marks are read again anyway
    // Marks of the comments removed with the table may have stood outside it; their nodes are gone.
    for (const std::string& id : ids) {
        c.kommentarStart.erase(id);
        c.kommentarEnde.erase(id);
        c.kommentarReferenz.erase(id);
    }
    std::vector<std::string> weg;
    auto schneiden = [&](std::unordered_map<std::string, Marke>& karte, bool textmarke) {
        for (auto it = karte.begin(); it != karte.end();) {
            Marke& m = it->second;
            const bool drin = (m.position > ts && m.position < te) ||
                              ((m.position == ts || m.position == te) && Innerhalb(m.knoten, tbl));
            if (drin) {
                if (textmarke) weg.push_back(it->first);
                it = karte.erase(it);
                continue;
            }
            if (m.position >= te) m.position -= d;
            ++it;
        }
    };
    schneiden(c.kommentarStart, false);
    schneiden(c.kommentarEnde, false);
    schneiden(c.kommentarReferenz, false);
    schneiden(c.textmarkeEnde, false);
    schneiden(c.textmarkeStart, true);
    for (const std::string& name : weg) {
        c.textmarkeId.erase(name);
        std::erase(c.textmarkenNamen, name);
    }
    return true;
}

void Kern::TabelleLoeschen(pugi::xml_node tbl) {
    Pruefen(tbl);
    AnkerBleiben anker(*this);  // shapes in the table are moved out with it, none is freed
    int sid = StoryEines(tbl);
    const StoryCache& c = cache(sid);
    auto [ts, te] = c.bereiche.at(tbl.internal_object());
    pugi::xml_node eltern = tbl.parent();
    const bool imStamm = eltern == story(sid).wurzel;
    pugi::xml_node davor = VorigesElement(tbl), danach = NaechstesElement(tbl);
    // (the stories of comments removed with it go with them: KommentarLoesen)
    const std::vector<std::string> ids = Herausnehmen(tbl);
    bool inPlatz = imStamm && TabelleAusStrom(sid, tbl, ts, te, ids);
    long ersatz = 0;
    bool irgendeinAbsatz = false;
    for (pugi::xml_node k = ErstesElement(eltern); k; k = NaechstesElement(k))
        if (Ist(k, "w:p")) irgendeinAbsatz = true;
    bool luecke = (Ist(davor, "w:tbl") && Ist(danach, "w:tbl")) || !irgendeinAbsatz ||
                  (Ist(eltern, "w:tc") && !Ist(LetztesElement(eltern), "w:p"));
    if (luecke) {
        pugi::xml_node neu = danach ? eltern.insert_child_before("w:p", danach) : eltern.append_child("w:p");
        ersatz = 1;
        long n = 0;
        if (inPlatz) inPlatz = BloeckeEingefuegt(sid, neu, neu, danach, ts, n);
    }
    DokumentGeaendert();
    if (!inPlatz) Veraendert();
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
