#include "platform/word/table.h"

#include <algorithm>

#include "common/fehler.h"
#include "common/stoerstelle.h"
#include "platform/word/detail/block.h"
#include "platform/word/detail/kern.h"
#include "platform/word/detail/xml.h"
#include "platform/word/konstanten.h"

namespace vk::word {

using detail::Kern;

namespace {

Kern& Pruefen(const std::shared_ptr<Kern>& k, pugi::xml_node_struct* knoten) {
    if (!k || !knoten) throw LaufzeitFehler(fehlernummer::ObjektNichtFestgelegt);
    k->Pruefen(pugi::xml_node(knoten));
    return *k;
}

word::Range BereichVon(const std::shared_ptr<Kern>& k, pugi::xml_node knoten) {
    int sid = k->StoryEines(knoten);
    const auto& c = k->cache(sid);
    auto [a, e] = c.bereiche.at(knoten.internal_object());
    return word::Range(k, k->NeuerBereich(sid, a, e));
}

[[noreturn]] void KeinMember() {
    throw LaufzeitFehler(fehlernummer::UngueltigesArgument, "Der angeforderte Member der Auflistung existiert nicht");
}

}  // namespace

// --- Cell ---------------------------------------------------------------------------------------

Cell::Cell(std::shared_ptr<Kern> kern, pugi::xml_node_struct* tc) : kern_(std::move(kern)), tc_(tc) {}
Kern& Cell::kern() const { return Pruefen(kern_, tc_); }

word::Range Cell::Range() const {
    DokumentStoerung.Punkt("Cell.Range", fehlernummer::NichtVerfuegbar);
    return kern(), BereichVon(kern_, pugi::xml_node(tc_));
}

void Cell::Select() const {
    DokumentStoerung.Punkt("Cell.Select", fehlernummer::NichtVerfuegbar);
    pugi::xml_node tc(tc_);
    long z = (kern(), detail::ZeilenIndex(tc)), s = detail::SpaltenIndex(tc);
    detail::BlockWaehlen(kern(), tc.parent().parent(), z, z, s, s);
}

void Cell::SetWidth(double punkte, int) {
    DokumentStoerung.Punkt("Cell.SetWidth", fehlernummer::NichtVerfuegbar);
    detail::ZellbreiteSetzen(kern(), pugi::xml_node(tc_), punkte);
}

double Cell::Width() const {
    kern();
    pugi::xml_node w = pugi::xml_node(tc_).child("w:tcPr").child("w:tcW");
    return detail::TwipsNachPunkte(w.attribute("w:w").as_int(0));
}

long Cell::RowIndex() const { return kern(), detail::ZeilenIndex(pugi::xml_node(tc_)); }
long Cell::ColumnIndex() const { return kern(), detail::SpaltenIndex(pugi::xml_node(tc_)); }

// --- Row ----------------------------------------------------------------------------------------

Row::Row(std::shared_ptr<Kern> kern, pugi::xml_node_struct* tr) : kern_(std::move(kern)), tr_(tr) {}
Kern& Row::kern() const { return Pruefen(kern_, tr_); }

void Row::SetHeight(double punkte, int regel) {
    DokumentStoerung.Punkt("Row.SetHeight", fehlernummer::NichtVerfuegbar);
    Kern& k = kern();
    if (punkte < 0 || punkte > 1584) throw LaufzeitFehler(fehlernummer::UngueltigesArgument, "Unzulässige Zeilenhöhe");
    pugi::xml_node trPr = detail::ZeilenEigenschaften(pugi::xml_node(tr_));
    pugi::xml_node h = trPr.child("w:trHeight");
    if (!h) h = trPr.append_child("w:trHeight");
    detail::Setzen(h, "w:val", detail::PunkteNachTwips(punkte));
    detail::Setzen(h, "w:hRule", regel == wdRowHeightExactly ? "exact" : regel == wdRowHeightAtLeast ? "atLeast" : "auto");
    k.DokumentGeaendert();
}

double Row::Height() const {
    kern();
    return detail::TwipsNachPunkte(pugi::xml_node(tr_).child("w:trPr").child("w:trHeight").attribute("w:val").as_int(0));
}

int Row::HeightRule() const {
    kern();
    pugi::xml_node h = pugi::xml_node(tr_).child("w:trPr").child("w:trHeight");
    if (!h) return wdRowHeightAuto;
    std::string_view r = h.attribute("w:hRule").value();
    return r == "exact" ? wdRowHeightExactly : r == "auto" ? wdRowHeightAuto : wdRowHeightAtLeast;
}

long Row::Index() const {
    kern();
    long i = 0;
    pugi::xml_node tr(tr_);
    for (pugi::xml_node k : tr.parent().children("w:tr")) {
        ++i;
        if (k == tr) break;
    }
    return i;
}

long Row::CellCount() const {
    kern();
    long n = 0;
    for (pugi::xml_node k = pugi::xml_node(tr_).first_child(); k; k = k.next_sibling())
        if (detail::NameIst(k.name(), "w:tc")) ++n;
    return n;
}

word::Cell Row::Cell(long spalte) const {
    kern();
    long s = 0;
    if (spalte >= 1)
        for (pugi::xml_node k = pugi::xml_node(tr_).first_child(); k; k = k.next_sibling())
            if (detail::NameIst(k.name(), "w:tc") && ++s == spalte) return word::Cell(kern_, k.internal_object());
    KeinMember();
}

word::Range Row::Range() const { return kern(), BereichVon(kern_, pugi::xml_node(tr_)); }

void Row::Select() const {
    long z = Index();
    detail::BlockWaehlen(kern(), pugi::xml_node(tr_).parent(), z, z, 1, std::max(1L, CellCount()));
}

// --- Rows ---------------------------------------------------------------------------------------

Rows::Rows(std::shared_ptr<Kern> kern, pugi::xml_node_struct* tbl) : kern_(std::move(kern)), tbl_(tbl) {}
Kern& Rows::kern() const { return Pruefen(kern_, tbl_); }

long Rows::Count() const { return kern(), static_cast<long>(detail::Zeilen(pugi::xml_node(tbl_)).size()); }

std::vector<Row> Rows::Each() const {
    DokumentStoerung.Punkt("Rows.Each", fehlernummer::NichtVerfuegbar);
    kern();
    {
        // The nodes of a table read from a file lie one after the other in memory, in document order,
        // and so does the text their names point into: fetching the next few kilobytes of both ahead
        // lets the walk over the rows and their cells find them in the cache.
        const char* knoten = reinterpret_cast<const char*>(tbl_);
        const char* name = pugi::xml_node(tbl_).name();
        for (int i = 0; i < 16384; i += 64) __builtin_prefetch(knoten + i);
        for (int i = 0; i < 4096; i += 64) __builtin_prefetch(name + i);
    }
    std::vector<Row> aus;
    for (pugi::xml_node k = pugi::xml_node(tbl_).first_child(); k; k = k.next_sibling())
        if (detail::NameIst(k.name(), "w:tr")) aus.emplace_back(kern_, k.internal_object());
    return aus;
}

Row Rows::Item(long index) const {
    DokumentStoerung.Punkt("Rows.Item", fehlernummer::NichtVerfuegbar);
    kern();
    auto zeilen = detail::Zeilen(pugi::xml_node(tbl_));
    if (index < 1 || index > static_cast<long>(zeilen.size())) throw LaufzeitFehler(fehlernummer::IndexAusserhalb);
    return Row(kern_, zeilen[static_cast<std::size_t>(index) - 1].internal_object());
}

Row Rows::Add() {
    DokumentStoerung.Punkt("Rows.Add", fehlernummer::NichtVerfuegbar);
    Kern& k = kern();
    pugi::xml_node tbl(tbl_);
    auto zeilen = detail::Zeilen(tbl);
    if (zeilen.empty()) throw LaufzeitFehler(fehlernummer::UngueltigesArgument, "Die Tabelle hat keine Zeile");
    int sid = k.StoryEines(tbl);
    long laenge = k.cache(sid).Laenge();
    long ende = k.cache(sid).bereiche.at(tbl_).second;
    pugi::xml_node neu = tbl.insert_copy_after(zeilen.back(), zeilen.back());
    for (pugi::xml_node tc : neu.children("w:tc")) {
        pugi::xml_node p = tc.child("w:p");
        for (pugi::xml_node kind = tc.first_child(); kind;) {
            pugi::xml_node weiter = kind.next_sibling();
            if (kind != p && !detail::Ist(kind, "w:tcPr")) tc.remove_child(kind);
            kind = weiter;
        }
        if (!p) p = tc.append_child("w:p");
        for (pugi::xml_node kind = p.first_child(); kind;) {
            pugi::xml_node weiter = kind.next_sibling();
            if (!detail::Ist(kind, "w:pPr")) p.remove_child(kind);
            kind = weiter;
        }
        p.child("w:pPr").remove_child("w:sectPr");
    }
    for (pugi::xml_node kind = neu.first_child(); kind;) {
        pugi::xml_node weiter = kind.next_sibling();
        if (detail::IstElement(kind) && !detail::Ist(kind, "w:tc") && !detail::Ist(kind, "w:trPr") &&
            !detail::Ist(kind, "w:tblPrEx"))
            neu.remove_child(kind);
        kind = weiter;
    }
    k.StoryGeaendert(sid);
    k.Veraendert(sid);
    k.Eingefuegt(sid, ende, k.cache(sid).Laenge() - laenge);
    return Row(kern_, neu.internal_object());
}

// --- Column / Columns ---------------------------------------------------------------------------

Column::Column(std::shared_ptr<Kern> kern, pugi::xml_node_struct* tbl, long index)
    : kern_(std::move(kern)), tbl_(tbl), index_(index) {}
Kern& Column::kern() const { return Pruefen(kern_, tbl_); }

void Column::Select() const {
    DokumentStoerung.Punkt("Column.Select", fehlernummer::NichtVerfuegbar);
    pugi::xml_node tbl(tbl_);
    detail::BlockWaehlen(kern(), tbl, 1, static_cast<long>(detail::Zeilen(tbl).size()), index_, index_);
}

void Column::SetWidth(double punkte, int) {
    DokumentStoerung.Punkt("Column.SetWidth", fehlernummer::NichtVerfuegbar);
    Kern& k = kern();
    for (pugi::xml_node tr : detail::Zeilen(pugi::xml_node(tbl_))) {
        auto zellen = detail::Zellen(tr);
        if (index_ <= static_cast<long>(zellen.size()))
            detail::ZellbreiteSetzen(k, zellen[static_cast<std::size_t>(index_) - 1], punkte);
    }
}

double Column::Width() const {
    kern();
    for (pugi::xml_node tr : detail::Zeilen(pugi::xml_node(tbl_))) {
        auto zellen = detail::Zellen(tr);
        if (index_ <= static_cast<long>(zellen.size()))
            return word::Cell(kern_, zellen[static_cast<std::size_t>(index_) - 1].internal_object()).Width();
    }
    return 0;
}

Columns::Columns(std::shared_ptr<Kern> kern, pugi::xml_node_struct* tbl) : kern_(std::move(kern)), tbl_(tbl) {}
Kern& Columns::kern() const { return Pruefen(kern_, tbl_); }

long Columns::Count() const { return kern(), detail::MaxZellen(pugi::xml_node(tbl_)); }

Column Columns::Item(long index) const {
    if (index < 1 || index > Count()) throw LaufzeitFehler(fehlernummer::IndexAusserhalb);
    return Column(kern_, tbl_, index);
}

// --- Table --------------------------------------------------------------------------------------

Table::Table(std::shared_ptr<Kern> kern, pugi::xml_node_struct* tbl) : kern_(std::move(kern)), tbl_(tbl) {}
Kern& Table::kern() const { return Pruefen(kern_, tbl_); }

word::Range Table::Range() const {
    DokumentStoerung.Punkt("Table.Range", fehlernummer::NichtVerfuegbar);
    return kern(), BereichVon(kern_, pugi::xml_node(tbl_));
}

word::Cell Table::Cell(long zeile, long spalte) const {
    DokumentStoerung.Punkt("Table.Cell", fehlernummer::NichtVerfuegbar);
    kern();
    pugi::xml_node tc = detail::ZelleBei(pugi::xml_node(tbl_), zeile, spalte);
    if (!tc) KeinMember();
    return word::Cell(kern_, tc.internal_object());
}

word::Columns Table::Columns() const { return kern(), word::Columns(kern_, tbl_); }
word::Rows Table::Rows() const { return kern(), word::Rows(kern_, tbl_); }

word::Tables Table::Tables() const {
    return word::Tables(kern_, kern().TabellenIn(pugi::xml_node(tbl_)), false);
}

void Table::Select() const {
    DokumentStoerung.Punkt("Table.Select", fehlernummer::NichtVerfuegbar);
    pugi::xml_node tbl(tbl_);
    detail::BlockWaehlen(kern(), tbl, 1, std::max<long>(1, static_cast<long>(detail::Zeilen(tbl).size())), 1,
                         std::max(1L, detail::MaxZellen(tbl)));
}

void Table::Delete() {
    DokumentStoerung.Punkt("Table.Delete", fehlernummer::NichtVerfuegbar);
    kern().TabelleLoeschen(pugi::xml_node(tbl_));
}

// --- Tables -------------------------------------------------------------------------------------

Tables::Tables(std::shared_ptr<Kern> kern, std::vector<pugi::xml_node_struct*> tabellen, bool dokument)
    : kern_(std::move(kern)), tabellen_(std::move(tabellen)), dokument_(dokument) {}

Kern& Tables::kern() const {
    if (!kern_) throw LaufzeitFehler(fehlernummer::ObjektNichtFestgelegt);
    return *kern_;
}

const std::vector<pugi::xml_node_struct*>& Tables::liste() const {
    if (dokument_) return kern().cache(Kern::kHaupttext).tabellen;
    return tabellen_;
}

long Tables::Count() const { return static_cast<long>(liste().size()); }

Table Tables::Item(long index) const {
    const auto& l = liste();
    if (index < 1 || index > static_cast<long>(l.size())) throw LaufzeitFehler(fehlernummer::IndexAusserhalb);
    return Table(kern_, l[static_cast<std::size_t>(index) - 1]);
}

Table Tables::Add(const word::Range& stelle, long zeilen, long spalten) {
    DokumentStoerung.Punkt("Tables.Add", fehlernummer::NichtVerfuegbar);
    Kern& k = kern();
    if (stelle.IstNothing()) throw LaufzeitFehler(fehlernummer::ObjektNichtFestgelegt);
    if (stelle.KernIntern() != kern_)
        throw LaufzeitFehler(fehlernummer::UngueltigesArgument, "Der Bereich gehört zu einem anderen Dokument");
    int sid = stelle.BereichIntern()->story;
    if (detail::Ist(k.story(sid).wurzel, "w:comment"))
        throw LaufzeitFehler(fehlernummer::UngueltigesArgument, "In einem Kommentar ist keine Tabelle möglich");
    if (zeilen < 1 || spalten < 1 || zeilen > 32767 || spalten > 63)
        throw LaufzeitFehler(fehlernummer::UngueltigesArgument, "Unzulässige Zeilen- oder Spaltenzahl");
    long a = stelle.Start();
    if (stelle.End() > a) k.Loeschen(sid, a, stelle.End(), nullptr);
    pugi::xml_node tbl = k.TabelleEinfuegen(sid, a, zeilen, spalten);
    return Table(kern_, tbl.internal_object());
}

}  // namespace vk::word
