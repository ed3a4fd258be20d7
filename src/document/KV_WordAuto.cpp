#include "document/KV_WordAuto.h"

#include <optional>
#include <utility>
#include <vector>

#include "common/fehler.h"
#include "common/funktionen.h"
#include "common/prozedur.h"
#include "component/rechnungskontext.h"
#include "document/kontextdokument.h"
#include "document/G_frmTabelle.h"
#include "document/summenrechnung.h"
#include "document/kennungen.h"
#include "document/tabellenkennung.h"
#include "platform/controls/formen.h"
#include "platform/word/document.h"

namespace vk {
namespace {

constexpr std::string_view kKeinZweiterSchluessel = "--------";

bool PasstZu(const std::string& text, std::string_view erster, std::string_view zweiter) {
    return text == erster || text == zweiter;
}

// Whether the table carries either key among its own comments (a reviewer's comment on it changes
// nothing; a table nested in a cell carries its own).
bool TraegtEinen(const word::Table& tabelle, std::string_view erster, std::string_view zweiter) {
    return TraegtKennung(tabelle, erster) || TraegtKennung(tabelle, zweiter);
}

struct Vorgabe {
    word::Table tabelle;
    std::int16_t position = 0;
};
std::optional<Vorgabe>& Vorgegeben() {
    static std::optional<Vorgabe> v;
    return v;
}

// The first line of a cell's text, without blanks around it.
std::string ErsteZeile(const std::string& zelle) {
    std::string text = zelle.substr(0, zelle.find_first_of("\r\v\a"));
    const auto a = text.find_first_not_of(' ');
    if (a == std::string::npos) return "";
    return text.substr(a, text.find_last_not_of(' ') - a + 1);
}

// Interactive search: may show the table-choice dialog.
word::Table Interaktiv(Prozedur& proc, std::string_view erster, std::string_view zweiter) {
    std::int16_t& index = TabellenIndex();
    if (std::optional<Vorgabe> v = std::exchange(Vorgegeben(), std::nullopt)) {
        index = v->position;
        return v->tabelle;
    }
    long anzahl = 0;
    proc([&] {
        long n = 0;
        for (word::Comment c : Dokument().Comments())
            if (PasstZu(c.Text(), erster, zweiter)) ++n;
        anzahl = n;
    });
    word::Table cursorTabelle;
    proc([&] {
        word::Tables tabellen = Anwendung().Selection().Tables();
        if (tabellen.Count() == 0) return;
        word::Table t = tabellen.Item(1);
        if (t.Range().Comments().Count() == 0) cursorTabelle = t;
    });
    if (anzahl == 0 && cursorTabelle.IstNothing()) {
        index = 0;
        return {};
    }

    G_frmTabelle& dialog = ui::Formen::Instanz<G_frmTabelle>();
    proc([&] { dialog.Load(); });
    // The dialog offers the first five existing tables; further ones are not offered (and nothing is
    // logged for them: the log would grow by one entry per table on every confirmation).
    for (int i = 0; i < 5; ++i) proc([&] { dialog.optTabelle(i).SetEnabled(i < anzahl); });
    // The tables offered (those that carry the key among their own comments, in document order, nested
    // ones included) and what each
    // holds, for a host to show beside its option.
    struct Angebot {
        word::Table tabelle;
        std::int16_t position = 0;
    };
    std::vector<Angebot> angebote;
    proc([&] {
        std::int16_t p = 0;
        for (const word::Table& t : AlleTabellen(Dokument())) {
            ++p;
            if (!TraegtEinen(t, erster, zweiter)) continue;
            angebote.push_back({t, p});
            if (angebote.size() == 5) break;
        }
    });
    proc([&] {
        std::vector<std::string> texte;
        for (const Angebot& a : angebote) texte.push_back(TabellenBeschreibung(a.tabelle));
        dialog.eintragsTexte = std::move(texte);
    });
    proc([&] { dialog.optAktTabelle.SetEnabled(!cursorTabelle.IstNothing()); });
    proc([&] { dialog.optNeu.SetValue(true); });
    proc([&] { dialog.ShowModal(); });

    word::Table ergebnis;
    if (dialog.optAktTabelle.Value() && !cursorTabelle.IstNothing()) {
        proc([&] {
            std::int16_t p = 0;
            for (const word::Table& t : AlleTabellen(Dokument())) {
                ++p;
                if (t.IsSame(cursorTabelle)) break;
            }
            index = p;
        });
        ergebnis = cursorTabelle;
    } else if (dialog.optNeu.Value()) {
        index = 0;
    } else if (const int k = dialog.optTabelle.Gewählt() + 1; k >= 1 && k <= static_cast<int>(angebote.size())) {
        index = angebote[static_cast<std::size_t>(k - 1)].position;
        ergebnis = angebote[static_cast<std::size_t>(k - 1)].tabelle;
    }
    proc([&] { dialog.Unload(); });
    return ergebnis;
}

// Follow-on search after the table chosen last, not beyond a "RE_HOAI_Kosten" table.
word::Table Folgetabelle(Prozedur& proc, std::string_view erster, std::string_view zweiter) {
    const std::int16_t index = TabellenIndex();
    if (index == 0) return {};
    word::Table ergebnis;
    proc([&] {
        const std::vector<word::Table> tabellen = AlleTabellen(Dokument());
        for (long i = index; i <= static_cast<long>(tabellen.size()); ++i) {
            const word::Table& t = tabellen[static_cast<std::size_t>(i - 1)];
            if (TraegtEinen(t, erster, zweiter)) {
                ergebnis = t;
                return;
            }
            if (i > index && TraegtKennung(t, kennung::HoaiKosten)) return;
        }
    });
    return ergebnis;
}

}  // namespace

void TabelleVorgeben(const word::Table& tabelle, std::int16_t position) { Vorgegeben() = Vorgabe{tabelle, position}; }

std::string TabellenBeschreibung(const word::Table& tabelle) {
    std::string erste;
    Summen summen;
    for (const word::Row& zeile : tabelle.Rows().Each()) {
        if (zeile.Index() > 1 && erste.empty())
            for (long c = 1; c <= zeile.CellCount() && erste.empty(); ++c) erste = ErsteZeile(zeile.Cell(c).Range().Text());
        if (zeile.CellCount() < 5) continue;
        const word::Range betrag = zeile.Cell(5).Range();
        std::string text = betrag.Text();
        if (text.size() >= 2) text.erase(text.size() - 2);
        BetragErfassen(summen, {text, ErsterKommentarText(betrag)}, 0);
    }
    const std::string betrag = WertFormatieren(Euro(summen.Gesamt), 1, 2) + " \xE2\x82\xAC";
    return erste.empty() ? betrag : erste + " \xE2\x80\x93 " + betrag;
}

std::int16_t& TabellenIndex() {
    static std::int16_t index = 0;
    return index;
}

word::Table TabelleErmitteln(std::string_view schluessel, std::int16_t modus) {
    Prozedur proc("KV_WordAuto", "TabelleErmitteln");
    std::string_view erster = schluessel, zweiter = kKeinZweiterSchluessel;
    if (auto komma = schluessel.find(','); komma != std::string_view::npos) {
        erster = schluessel.substr(0, komma);
        zweiter = schluessel.substr(komma + 1);
    }
    if (modus == kSucheFolgetabelle) return Folgetabelle(proc, erster, zweiter);
    return Interaktiv(proc, erster, zweiter);
}

void BookmarkSetzen(word::Table& tabelle, std::string_view schluessel) {
    Prozedur proc("KV_WordAuto", "BookmarkSetzen");
    proc([&] { tabelle.Cell(1, 5).Select(); });
    proc([&] { Dokument().Comments().Add(Anwendung().Selection().Range(), schluessel); });
}

std::string ErsterKommentarText(const word::Range& bereich) {
    word::Comments kommentare = bereich.Comments();
    if (kommentare.Count() == 0) return "";
    return kommentare.Item(1).Text();
}

}  // namespace vk
