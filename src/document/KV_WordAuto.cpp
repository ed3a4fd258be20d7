#include "document/KV_WordAuto.h"

#include "common/fehler.h"
#include "common/prozedur.h"
#include "component/rechnungskontext.h"
#include "document/kontextdokument.h"
#include "document/G_frmTabelle.h"
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

// Interactive search: may show the table-choice dialog.
word::Table Interaktiv(Prozedur& proc, std::string_view erster, std::string_view zweiter) {
    std::int16_t& index = TabellenIndex();
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
    } else {
        const int k = dialog.optTabelle.Gewählt() + 1;
        proc([&] {
            std::int16_t p = 0;
            int m = 0;
            for (const word::Table& t : AlleTabellen(Dokument())) {
                ++p;
                if (!TraegtEinen(t, erster, zweiter)) continue;
                if (++m == k) {
                    index = p;
                    ergebnis = t;
                    return;
                }
            }
        });
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
