#include "document/GebuehrenTabelle.h"

#include "common/fehler.h"
#include "common/funktionen.h"
#include "common/konvertierung.h"
#include "common/prozedur.h"
#include "component/rechnungskontext.h"
#include "document/kontextdokument.h"
#include "document/kennungen.h"
#include "document/SummeBilden.h"
#include "document/tabellenkennung.h"
#include "platform/word/document.h"

namespace vk {
namespace {

constexpr const char* kModul = "GebührenTabelle";

}  // namespace

void SummeLöschen() {
    if (SummenAufgeschoben()) return;
    Prozedur proc(kModul, "SummeLöschen");
    std::vector<word::Table> weg;
    // Only the table that carries the tag itself: a layout table holding the totals in a cell stays.
    proc([&] {
        for (const word::Table& t : AlleTabellen(Dokument()))
            if (TraegtKennung(t, kennung::Summe)) weg.push_back(t);
    });
    for (word::Table& t : weg) proc([&] { t.Delete(); });
}

word::Range EinfügestelleErmitteln(word::Table& formTabelle) {
    Prozedur proc(kModul, "EinfügestelleErmitteln");
    word::Range stelle;
    if (!formTabelle.IstNothing()) {
        proc([&] {
            word::Range r = formTabelle.Range();
            formTabelle.Delete();
            r.Collapse(word::wdCollapseEnd);
            stelle = r;
        });
        formTabelle = word::Table();
        if (!stelle.IstNothing()) return stelle;
    }
    proc([&] {
        for (word::Comment c : Dokument().Comments()) {
            if (c.Text() != kennung::Start) continue;
            word::Range r = c.Reference().Duplicate();
            r.Collapse(word::wdCollapseStart);
            r.MoveStart(word::wdWord, -1);
            r.InsertParagraphBefore();
            r.Collapse(word::wdCollapseStart);
            stelle = r;
        }
    });
    if (!stelle.IstNothing()) return stelle;
    proc([&] {
        word::Range r = Dokument().Content();
        r.Collapse(word::wdCollapseEnd);
        r.InsertParagraphAfter();
        r.Collapse(word::wdCollapseEnd);
        stelle = r;
    });
    return stelle;
}

void ZelleSchreiben(word::Table& tabelle, long zeile, long spalte, std::string_view text, bool fett) {
    Prozedur proc(kModul, "ZelleSchreiben");
    proc([&] { tabelle.Cell(zeile, spalte).Range().InsertAfter(text); });
    proc([&] { tabelle.Cell(zeile, spalte).Range().SetBold(fett ? word::wdTrue : word::wdFalse); });
}

void MwStKennungSetzen(word::Table& tabelle, long zeile, std::string_view kennungText) {
    Prozedur proc(kModul, "MwStKennungSetzen");
    proc([&] { tabelle.Cell(zeile, 5).Range().Select(); });
    proc([&] { Dokument().Comments().Add(Anwendung().Selection().Range(), kennungText); });
}

void TabelleFormatierenGemeinsam(word::Table& tabelle, const std::vector<long>& rechtsbuendig,
                                 const std::vector<double>& breitenCm, std::string_view modul) {
    Prozedur proc(modul, "TabelleFormatieren");
    proc([&] { tabelle.Select(); });
    for (int seite = word::wdBorderTop; seite >= word::wdBorderVertical; --seite)
        proc([&] { Anwendung().Selection().Borders().Item(seite).SetLineStyle(word::wdLineStyleNone); });
    for (long spalte : rechtsbuendig) {
        proc([&] { tabelle.Columns().Item(spalte).Select(); });
        proc([&] { Anwendung().Selection().ParagraphFormat().SetAlignment(word::wdAlignParagraphRight); });
    }
    for (std::size_t i = 0; i < breitenCm.size(); ++i)
        proc([&] {
            tabelle.Columns().Item(static_cast<long>(i + 1))
                .SetWidth(word::Application::CentimetersToPoints(breitenCm[i]), word::wdAdjustNone);
        });
}

std::string Betragstext(double wert, int breite) { return WertFormatieren(CStr(wert), breite, 2) + " €"; }

}  // namespace vk
