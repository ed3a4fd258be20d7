// Text editing of a story: insertion places, run splits, insertion and deletion of characters.
#include <algorithm>
#include <set>

#include "common/fehler.h"
#include "platform/word/detail/kern.h"
#include "platform/word/detail/utf.h"
#include "platform/word/detail/wohlgeformt.h"
#include "platform/word/detail/xml.h"

namespace vk::word::detail {

namespace {

bool IstStartmarke(pugi::xml_node n) {
    std::string_view name = n.name();
    return name == "w:commentRangeStart" || name == "w:bookmarkStart" || name == "w:permStart" ||
           name == "w:proofErr" || name == "w:moveFromRangeStart" || name == "w:moveToRangeStart";
}

bool HatText(pugi::xml_node r) {
    return Ist(r, "w:r") && (r.child("w:t") || r.child("w:tab")) && !r.child("w:commentReference");
}

// The run properties new text at this place takes: the text run before it, else the one after it,
// else the paragraph mark's.
pugi::xml_node Vorlage(pugi::xml_node eltern, pugi::xml_node vor, pugi::xml_node absatz) {
    pugi::xml_node k = vor ? vor.previous_sibling() : eltern.last_child();
    for (; k; k = k.previous_sibling())
        if (HatText(k)) return k;
    for (k = vor; k; k = k.next_sibling())
        if (HatText(k)) return k;
    return absatz.child("w:pPr");  // its w:rPr, if any, is the mark's formatting
}

pugi::xml_node NeuerLauf(Ort o) {
    pugi::xml_node r = o.vor ? o.eltern.insert_child_before("w:r", o.vor) : o.eltern.append_child("w:r");
    if (o.vorlage) {
        if (pugi::xml_node rpr = o.vorlage.child("w:rPr")) {
            pugi::xml_node kopie = r.append_copy(rpr);
            kopie.remove_child("w:rPrChange");
            kopie.remove_child("w:ins");
            kopie.remove_child("w:del");
        }
    }
    return r;
}

}  // namespace

Ort Kern::OrtBei(int sid, long position) {
    const StoryCache* c = &strom(sid);
    position = std::clamp(position, 0L, c->Laenge());
    std::size_t i = c->Finde(position);
    if (i == c->stuecke.size()) {
        if (c->stuecke.empty()) {
            pugi::xml_node wurzel = story(sid).wurzel;
            pugi::xml_node p;
            if (pugi::xml_node sect = wurzel.child("w:sectPr")) p = wurzel.insert_child_before("w:p", sect);
            else p = wurzel.append_child("w:p");
            StoryGeaendert(sid);
            Veraendert(sid);
            return Ort{p, {}, p, {}};
        }
        i = c->stuecke.size() - 1;
    }
    Stueck s = c->stuecke[i];
    if (s.art == StueckArt::Zeilenende)
        throw LaufzeitFehler(fehlernummer::UngueltigesArgument, "An einem Zeilenende kann nichts eingefügt werden");
    if (s.art == StueckArt::Absatzende || s.art == StueckArt::Zellende) {
        pugi::xml_node p(s.absatz);
        if (!p) throw LaufzeitFehler(fehlernummer::UngueltigesArgument, "Die Zelle enthält keinen Absatz");
        pugi::xml_node vor;
        for (pugi::xml_node k = LetztesElement(p); k && IstStartmarke(k); k = VorigesElement(k)) vor = k;
        return Ort{p, vor, p, Vorlage(p, vor, p)};
    }
    LaufTrennen(sid, position);
    c = &strom(sid);
    s = c->stuecke[c->Finde(position)];
    pugi::xml_node lauf = pugi::xml_node(s.knoten).parent();
    pugi::xml_node eltern = lauf.parent();
    pugi::xml_node vor = lauf;
    for (pugi::xml_node k = VorigesElement(vor); k && IstStartmarke(k); k = VorigesElement(k)) vor = k;
    return Ort{eltern, vor, pugi::xml_node(s.absatz), Vorlage(eltern, vor, pugi::xml_node(s.absatz))};
}

void Kern::LaufTrennen(int sid, long position) {
    const StoryCache& c = strom(sid);
    std::size_t i = c.Finde(position);
    if (i == c.stuecke.size()) return;
    const Stueck s = c.stuecke[i];
    if (s.art != StueckArt::Text && s.art != StueckArt::Zeichen) return;
    pugi::xml_node knoten(s.knoten);
    pugi::xml_node lauf = knoten.parent();
    if (!Ist(lauf, "w:r")) return;
    bool geaendert = false;
    pugi::xml_node zweiteHaelfte;  // the w:t holding the text from position on, when one was split
    if (s.art == StueckArt::Text && position > s.start) {
        std::u32string t = NachU32(Text(knoten));
        std::size_t k = static_cast<std::size_t>(position - s.start);
        pugi::xml_node neu = lauf.insert_child_after("w:t", knoten);
        TextSetzen(knoten, NachUtf8(t.substr(0, k)));
        TextSetzen(neu, NachUtf8(t.substr(k)));
        knoten = neu;
        zweiteHaelfte = neu;
        geaendert = true;
    }
    bool davor = false;
    for (pugi::xml_node v = VorigesElement(knoten); v; v = VorigesElement(v))
        if (!Ist(v, "w:rPr")) davor = true;
    if (davor) {
        pugi::xml_node neuerLauf = lauf.parent().insert_child_after("w:r", lauf);
        if (pugi::xml_node rpr = lauf.child("w:rPr")) neuerLauf.append_copy(rpr);
        for (pugi::xml_node n = knoten; n;) {
            pugi::xml_node weiter = n.next_sibling();
            neuerLauf.append_move(n);
            n = weiter;
        }
        geaendert = true;
    }
    if (!geaendert) return;
    StoryGeaendert(sid);
    // The characters and their order stay; nodes only moved to a new run (keeping their identity,
    // and no run is a piece of the stream) and one w:t may have been cut in two. So the cached
    // stream stays valid once the cut piece is split as well.
    ++generation_;
    if (!zweiteHaelfte) return;
    StoryCache& cache = stories_[static_cast<std::size_t>(sid)].cache;
    Stueck rest = s;
    rest.start = position;
    rest.laenge = s.start + s.laenge - position;
    rest.knoten = zweiteHaelfte.internal_object();
    cache.stuecke[i].laenge = position - s.start;
    cache.stuecke.insert(cache.stuecke.begin() + static_cast<std::ptrdiff_t>(i) + 1, rest);
}

long Kern::TextEinfuegen(int sid, long position, std::u32string_view text, const Bereich* ausser) {
    if (text.empty()) return 0;
    AnkerBleiben anker(*this);  // runs and paragraphs added or split (nodes moved, never freed)
    const StoryCache& c = cache(sid);
    position = std::clamp(position, 0L, c.Laenge());
    // nothing goes after the story's last paragraph mark: the text ends up before it
    if (position == c.Laenge() && !c.stuecke.empty() && c.stuecke.back().art == StueckArt::Absatzende)
        position = c.Laenge() - 1;
    Ort o = OrtBei(sid, position);
    long n = 0;
    std::u32string puffer;
    // what was added, for updating the cached stream in place when no paragraph was split
    bool geteilt = false;
    std::vector<Stueck> neu;
    std::u32string neuText;
    pugi::xml_node letzterLauf;
    // the one paragraph split by a lone "\r" directly in its paragraph: first part, rest
    int teilungen = 0;
    bool geklettert = false;
    pugi::xml_node ersterTeil, rest;
    std::size_t stueckeVorDerTeilung = 0;  // of `neu`, the pieces that went into the first part
    auto merken = [&](StueckArt art, pugi::xml_node knoten, std::u32string_view zeichen) {
        Stueck st;
        st.start = position + static_cast<long>(neuText.size());
        st.laenge = static_cast<long>(zeichen.size());
        st.art = art;
        st.knoten = knoten.internal_object();
        st.absatz = o.absatz.internal_object();
        neu.push_back(st);
        neuText.append(zeichen);
        letzterLauf = knoten.parent();
    };
    auto leeren = [&] {
        if (puffer.empty()) return;
        pugi::xml_node r = NeuerLauf(o);
        pugi::xml_node t = r.append_child("w:t");
        TextSetzen(t, NachUtf8(puffer));
        merken(StueckArt::Text, t, puffer);
        puffer.clear();
    };
    auto absatzTeilen = [&] {
        geteilt = true;
        ++teilungen;
        while (o.eltern != o.absatz && o.eltern.parent()) {
            o.vor = o.eltern.next_sibling();
            o.eltern = o.eltern.parent();
            geklettert = true;
        }
        pugi::xml_node p = o.absatz;
        pugi::xml_node q = p.parent().insert_child_before("w:p", p);
        ersterTeil = q;
        rest = p;
        stueckeVorDerTeilung = neu.size();
        if (pugi::xml_node ppr = p.child("w:pPr")) {
            pugi::xml_node kopie = q.append_copy(ppr);
            kopie.remove_child("w:sectPr");
            kopie.remove_child("w:pPrChange");
        }
        for (pugi::xml_node k = p.first_child(); k && k != o.vor;) {
            pugi::xml_node weiter = k.next_sibling();
            if (!Ist(k, "w:pPr")) q.append_move(k);
            k = weiter;
        }
    };
    for (std::size_t i = 0; i < text.size(); ++i) {
        char32_t z = text[i];
        if (z == U'\r' || z == U'\n') {
            leeren();
            absatzTeilen();
            ++n;
            if (z == U'\r' && i + 1 < text.size() && text[i + 1] == U'\n') ++i;
        } else if (z == U'\t' || z == U'\v' || z == U'\f') {
            leeren();
            pugi::xml_node r = NeuerLauf(o);
            pugi::xml_node k = r.append_child(z == U'\t' ? "w:tab" : "w:br");
            if (z == U'\f') Setzen(k, "w:type", "page");
            merken(StueckArt::Zeichen, k, std::u32string(1, z));
            ++n;
        } else if (!XmlZeichen(z)) {
            continue;  // other control characters, surrogates, U+FFFE, U+FFFF have no place in the text
        } else {
            puffer.push_back(z);
            ++n;
        }
    }
    leeren();
    StoryGeaendert(sid);
    if (!geteilt && story(sid).gueltig) StreamNachfuehren(sid, position, neu, neuText, letzterLauf);
    else if (teilungen == 1 && !geklettert && story(sid).gueltig) {
        // one paragraph split directly in its paragraph, with text before and after the mark: the
        // text before goes in as into an unsplit paragraph, then the split, then the text after
        std::vector<Stueck> davor(neu.begin(), neu.begin() + static_cast<std::ptrdiff_t>(stueckeVorDerTeilung));
        std::vector<Stueck> danach(neu.begin() + static_cast<std::ptrdiff_t>(stueckeVorDerTeilung), neu.end());
        long teilung = position;
        std::u32string textDavor;
        for (const Stueck& st : davor) teilung += st.laenge;
        textDavor = neuText.substr(0, static_cast<std::size_t>(teilung - position));
        if (!davor.empty()) {
            // the text before ends the first part: marks at the place that stayed in the second
            // part (after the new mark in the XML) follow it
            StreamNachfuehren(sid, position, davor, textDavor, pugi::xml_node());
            MarkenNachruecken(sid, position, teilung - position, rest);
        }
        AbsatzGeteilt(sid, teilung, ersterTeil, rest);
        if (!danach.empty() && story(sid).gueltig) {
            for (Stueck& st : danach) st.start += 1;  // after the new paragraph mark
            StreamNachfuehren(sid, teilung + 1, danach, neuText.substr(textDavor.size()), letzterLauf);
        } else if (!danach.empty()) {
            Veraendert(sid);
        }
    }
    else Veraendert(sid);
    Eingefuegt(sid, position, n, ausser);
    return n;
}

void Kern::AbsatzGeteilt(int sid, long position, pugi::xml_node q, pugi::xml_node p) {
    // Paragraph p was split at position: its content before that place moved into the new
    // paragraph q before it, which ends with a paragraph mark of its own at position.
    Veraendert(sid);  // other stories sharing the tree, and everything keyed by generation
    Story& st = stories_[static_cast<std::size_t>(sid)];
    StoryCache& c = st.cache;
    auto alt = c.bereiche.find(p.internal_object());
    auto platz = std::find(c.absaetze.begin(), c.absaetze.end(), p.internal_object());
    if (alt == c.bereiche.end() || platz == c.absaetze.end()) return;  // read again
    st.gueltig = true;
    const long ps = alt->second.first;
    auto it = std::lower_bound(c.stuecke.begin(), c.stuecke.end(), position,
                               [](const Stueck& s, long pos) { return s.start < pos; });
    for (auto vor = c.stuecke.begin(); vor != it; ++vor)
        if (vor->absatz == p.internal_object()) vor->absatz = q.internal_object();
    for (auto nach = it; nach != c.stuecke.end(); ++nach) nach->start += 1;
    c.stuecke.insert(it, Stueck{position, 1, StueckArt::Absatzende, q.internal_object(), q.internal_object()});
    c.text.insert(static_cast<std::size_t>(position), 1, U'\r');
    c.bereiche.Verschieben(position + 1, [position](KnotenBereiche::Bereich& bereich) {
        if (bereich.first > position) bereich.first += 1;
        if (bereich.second > position) bereich.second += 1;
    });
    c.bereiche.AnfangSetzen(p.internal_object(), position + 1);
    c.bereiche[q.internal_object()] = {ps, position + 1};
    c.absaetze.insert(platz, q.internal_object());
    // marks at the place stay before the new mark when they went into q with the text before it
    for (auto* karte : {&c.kommentarStart, &c.kommentarEnde, &c.kommentarReferenz, &c.textmarkeStart, &c.textmarkeEnde})
        for (auto& [id, m] : *karte)
            if (m.position > position) m.position += 1;
    MarkenNachruecken(sid, position, 1, p);
}

void Kern::MarkenNachruecken(int sid, long position, long n, pugi::xml_node absatz) {
    auto drin = [&](pugi::xml_node_struct* m) {
        for (pugi::xml_node k(m); k; k = k.parent())
            if (k == absatz) return true;
        return false;
    };
    StoryCache& c = stories_[static_cast<std::size_t>(sid)].cache;
    for (auto* karte : {&c.kommentarStart, &c.kommentarEnde, &c.kommentarReferenz, &c.textmarkeStart, &c.textmarkeEnde})
        for (auto& [id, m] : *karte)
            if (m.position == position && drin(m.knoten)) m.position += n;
}

void Kern::StreamNachfuehren(int sid, long position, const std::vector<Stueck>& neu, const std::u32string& neuText,
                             pugi::xml_node letzterLauf) {
    // Runs were added inside one paragraph at position: shift what follows instead of re-reading
    // the whole story (the common case of writing cells, and the one that must stay fast).
    ++generation_;
    if (neu.empty()) return;
    StoryCache& c = stories_[static_cast<std::size_t>(sid)].cache;
    long n = static_cast<long>(neuText.size());
    auto it = std::lower_bound(c.stuecke.begin(), c.stuecke.end(), position,
                               [](const Stueck& s, long p) { return s.start < p; });
    std::size_t index = static_cast<std::size_t>(it - c.stuecke.begin());
    for (std::size_t i = index; i < c.stuecke.size(); ++i) c.stuecke[i].start += n;
    c.stuecke.insert(c.stuecke.begin() + static_cast<std::ptrdiff_t>(index), neu.begin(), neu.end());
    c.text.insert(static_cast<std::size_t>(position), neuText);
    c.bereiche.Verschieben(position + 1, [position, n](KnotenBereiche::Bereich& bereich) {
        if (bereich.first > position) bereich.first += n;
        if (bereich.second > position) bereich.second += n;
    });
    // marks at the place stay before the new text unless they follow it in the XML
    std::vector<pugi::xml_node_struct*> danach;
    for (pugi::xml_node k = letzterLauf.next_sibling(); k; k = k.next_sibling()) {
        if (!IstElement(k)) continue;
        if (Ist(k, "w:r") || Ist(k, "w:hyperlink") || Ist(k, "w:ins") || Ist(k, "w:sdt")) break;
        danach.push_back(k.internal_object());
    }
    auto schieben = [&](std::unordered_map<std::string, Marke>& karte) {
        for (auto& [id, m] : karte) {
            if (m.position > position ||
                (m.position == position && std::find(danach.begin(), danach.end(), m.knoten) != danach.end()))
                m.position += n;
        }
    };
    schieben(c.kommentarStart);
    schieben(c.kommentarEnde);
    schieben(c.kommentarReferenz);
    schieben(c.textmarkeStart);
    schieben(c.textmarkeEnde);
}

void Kern::Loeschen(int sid, long a, long b, const Bereich* ausser) {
    const StoryCache* c = &cache(sid);
    long laenge = c->Laenge();
    a = std::clamp(a, 0L, laenge);
    b = std::clamp(b, 0L, laenge);
    if (b == laenge && !c->stuecke.empty() && c->stuecke.back().art == StueckArt::Absatzende) b = laenge - 1;
    if (a >= b) return;
    // What is freed below holds no floating shape: characters (w:t, w:tab, ...), runs and
    // paragraphs left without content, so the anchors stay, except when an embedded object goes
    // (it may carry a positioned picture); whole tables are moved out, not freed.
    AnkerBleiben anker(*this);
    LaufTrennen(sid, a);
    LaufTrennen(sid, b);
    c = &cache(sid);

    std::vector<pugi::xml_node> knoten, absaetze, tabellen;
    std::set<pugi::xml_node_struct*> ganzeTabellen;
    auto ganzDrin = [&](pugi::xml_node n) -> pugi::xml_node {
        pugi::xml_node aeusserste;
        for (pugi::xml_node k = n; k && k != story(sid).wurzel; k = k.parent()) {
            if (!Ist(k, "w:tbl")) continue;
            auto it = c->bereiche.find(k.internal_object());
            if (it != c->bereiche.end() && it->second.first >= a && it->second.second <= b) aeusserste = k;
        }
        return aeusserste;
    };
    // Only characters of runs in [a, b) (no paragraph, cell or row mark): the stream can be cut in
    // place, as the structure around them stays.
    bool nurZeichen = true;
    const std::size_t erstes = c->Finde(a);
    std::size_t hinter = erstes;
    for (; hinter < c->stuecke.size() && c->stuecke[hinter].start < b; ++hinter) {
        const Stueck& s = c->stuecke[hinter];
        if (s.art != StueckArt::Text && s.art != StueckArt::Zeichen) nurZeichen = false;
    }
    for (std::size_t i = erstes; i < c->stuecke.size() && c->stuecke[i].start < b; ++i) {
        const Stueck& s = c->stuecke[i];
        pugi::xml_node n(s.knoten);
        if (pugi::xml_node t = nurZeichen ? pugi::xml_node() : ganzDrin(n)) {
            if (ganzeTabellen.insert(t.internal_object()).second) tabellen.push_back(t);
            continue;
        }
        if (s.art == StueckArt::Text || s.art == StueckArt::Zeichen) knoten.push_back(n);
        else if (s.art == StueckArt::Absatzende) absaetze.push_back(n);
        if (NameIst(n.name(), "w:object")) anker.Aufheben();
    }
    for (pugi::xml_node n : knoten) {
        pugi::xml_node lauf = n.parent();
        lauf.remove_child(n);
        bool leer = true;
        for (pugi::xml_node k = lauf.first_child(); k; k = k.next_sibling())
            if (IstElement(k) && !Ist(k, "w:rPr")) leer = false;
        if (leer && Ist(lauf, "w:r")) lauf.parent().remove_child(lauf);
    }
    for (pugi::xml_node t : tabellen) {
        pugi::xml_node eltern = t.parent();
        pugi::xml_node davor = VorigesElement(t), danach = NaechstesElement(t);
        Entfernen(t);
        if ((Ist(davor, "w:tbl") && Ist(danach, "w:tbl")) || (Ist(eltern, "w:tc") && !Ist(LetztesElement(eltern), "w:p")))
            danach ? eltern.insert_child_before("w:p", danach) : eltern.append_child("w:p");
    }
    for (auto it = absaetze.rbegin(); it != absaetze.rend(); ++it) {
        pugi::xml_node p = *it;
        pugi::xml_node q = NaechstesElement(p);
        if (!Ist(q, "w:p")) continue;
        pugi::xml_node ziel;
        for (pugi::xml_node k = q.first_child(); k; k = k.next_sibling())
            if (IstElement(k) && !Ist(k, "w:pPr")) { ziel = k; break; }
        for (pugi::xml_node k = p.first_child(); k;) {
            pugi::xml_node weiter = k.next_sibling();
            if (!Ist(k, "w:pPr")) ziel ? q.insert_move_before(k, ziel) : q.append_move(k);
            k = weiter;
        }
        p.parent().remove_child(p);
    }
    StoryGeaendert(sid);
    if (nurZeichen && erstes < hinter && c->stuecke[erstes].start == a && c->stuecke[hinter - 1].start +
                                                                               c->stuecke[hinter - 1].laenge == b) {
        StromKuerzen(sid, a, b, erstes, hinter);
        Ersetzt(sid, a, b, 0, ausser);
        return;
    }
    Veraendert(sid);
    long entfernt = laenge - cache(sid).Laenge();
    Ersetzt(sid, a, b, (b - a) - entfernt, ausser);
}

void Kern::StromKuerzen(int sid, long a, long b, std::size_t erstes, std::size_t hinter) {
    // The pieces [erstes, hinter) covered exactly [a, b) and their nodes are gone; everything else
    // kept its node. Positions after b move back, those inside collapse to a.
    Veraendert(sid);  // other stories sharing the tree, and everything keyed by generation
    Story& st = stories_[static_cast<std::size_t>(sid)];
    st.gueltig = true;
    StoryCache& c = st.cache;
    const long d = b - a;
    auto abbilden = [&](long& p) {
        if (p >= b) p -= d;
        else if (p > a) p = a;
    };
    c.stuecke.erase(c.stuecke.begin() + static_cast<std::ptrdiff_t>(erstes),
                    c.stuecke.begin() + static_cast<std::ptrdiff_t>(hinter));
    for (std::size_t i = erstes; i < c.stuecke.size(); ++i) c.stuecke[i].start -= d;
    c.text.erase(static_cast<std::size_t>(a), static_cast<std::size_t>(d));
    c.bereiche.Verschieben(a + 1, [&abbilden](KnotenBereiche::Bereich& bereich) {
        abbilden(bereich.first);
        abbilden(bereich.second);
    });
    for (auto* karte : {&c.kommentarStart, &c.kommentarEnde, &c.kommentarReferenz, &c.textmarkeStart, &c.textmarkeEnde})
        for (auto& [id, m] : *karte) abbilden(m.position);
}

std::vector<pugi::xml_node> Kern::LaeufeIn(int sid, long a, long b, std::vector<pugi::xml_node>* marken) {
    std::vector<pugi::xml_node> laeufe;
    if (a > b) std::swap(a, b);
    LaufTrennen(sid, a);
    LaufTrennen(sid, b);
    const StoryCache& c = cache(sid);
    std::set<pugi::xml_node_struct*> gesehen;
    for (std::size_t i = c.Finde(a); i < c.stuecke.size() && c.stuecke[i].start < b; ++i) {
        const Stueck& s = c.stuecke[i];
        if (s.art == StueckArt::Text || s.art == StueckArt::Zeichen) {
            pugi::xml_node lauf = pugi::xml_node(s.knoten).parent();
            if (Ist(lauf, "w:r") && gesehen.insert(lauf.internal_object()).second) laeufe.push_back(lauf);
        } else if ((s.art == StueckArt::Absatzende || s.art == StueckArt::Zellende) && marken && s.absatz) {
            marken->push_back(pugi::xml_node(s.absatz));
        }
    }
    return laeufe;
}

std::vector<pugi::xml_node> Kern::AbsaetzeIn(int sid, long a, long b) {
    const StoryCache& c = cache(sid);
    std::vector<pugi::xml_node> aus;
    // Paragraphs do not nest, so in reading order their extents start and end in rising order: the
    // first one that ends after a is found by halving, and those after it are taken while they start
    // before b.
    auto ende = [&](pugi::xml_node_struct* p) {
        auto it = c.bereiche.find(p);
        return it == c.bereiche.end() ? std::pair<long, long>(-1, -1) : it->second;
    };
    auto erster = std::partition_point(c.absaetze.begin(), c.absaetze.end(),
                                       [&](pugi::xml_node_struct* p) { return ende(p).second <= a; });
    for (auto it = erster; it != c.absaetze.end(); ++it) {
        auto [ps, pe] = ende(*it);
        if (ps < 0) continue;
        if (a == b ? ps > a : ps >= b) break;
        bool trifft = a == b ? (ps <= a && a < pe) : (ps < b && a < pe);
        if (trifft) aus.emplace_back(*it);
    }
    if (aus.empty() && !c.absaetze.empty() && a >= c.Laenge()) aus.emplace_back(c.absaetze.back());
    return aus;
}

void Kern::Entfernen(pugi::xml_node knoten) {
    Herausnehmen(knoten);
    Veraendert();
}

std::vector<std::string> Kern::Herausnehmen(pugi::xml_node knoten) {
    std::vector<std::string> ids;
    struct Sammler : pugi::xml_tree_walker {
        std::vector<std::string>* ids;
        std::vector<pugi::xml_node> marken;  // starts and ends of comment ranges and bookmarks
        bool for_each(pugi::xml_node& n) override {
            const char* name = n.name();
            if (NameIst(name, "w:commentReference")) ids->push_back(n.attribute("w:id").value());
            else if (NameIst(name, "w:commentRangeStart") || NameIst(name, "w:commentRangeEnd") ||
                     NameIst(name, "w:bookmarkStart") || NameIst(name, "w:bookmarkEnd"))
                marken.push_back(n);
            return true;
        }
    } sammler;
    sammler.ids = &ids;
    knoten.traverse(sammler);
    const int sid = ids.empty() && sammler.marken.empty() ? -1 : StoryEines(knoten);
    // A comment or bookmark that only begins (or only ends) in what is taken out lives on outside
    // it: its mark inside stays in the text, where the removed part was, as a word processor keeps
    // it. (A comment whose reference goes goes with all its marks.)
    bool verschoben = false;
    for (pugi::xml_node m : sammler.marken) {
        const std::string_view name = m.name();
        const std::string id = m.attribute("w:id").value();
        const bool kommentar = name.starts_with("w:comment");
        if (kommentar && std::find(ids.begin(), ids.end(), id) != ids.end()) continue;
        const char* partner = name == "w:commentRangeStart" ? "w:commentRangeEnd"
                              : name == "w:commentRangeEnd"  ? "w:commentRangeStart"
                              : name == "w:bookmarkStart"    ? "w:bookmarkEnd"
                                                             : "w:bookmarkStart";
        bool partnerDrin = false;
        for (pugi::xml_node n : sammler.marken)
            if (NameIst(n.name(), partner) && id == n.attribute("w:id").value()) partnerDrin = true;
        if (partnerDrin) continue;
        knoten.parent().insert_move_before(m, knoten);
        verschoben = true;
    }
    if (verschoben && sid >= 0) MarkenVeraendert(sid);
    Teil* teil = dokument_;
    teil->friedhof.append_move(knoten);
    for (const auto& id : ids) KommentarLoesen(id, sid);
    DokumentGeaendert();
    return ids;
}

}  // namespace vk::word::detail
