#include "document/SummeBilden.h"

#include <array>
#include <cmath>

#include "common/fehler.h"
#include "common/funktionen.h"
#include "common/konvertierung.h"
#include "common/prozedur.h"
#include "component/rechnungskontext.h"
#include "document/GebuehrenTabelle.h"
#include "document/Betragszeilen.h"
#include "document/Briefbetrag.h"
#include "document/KV_WordAuto.h"
#include "document/kennungen.h"
#include "document/summenrechnung.h"
#include "document/tabellenkennung.h"
#include "platform/dao/dao.h"
#include "platform/dao/daofehler.h"

namespace vk {
namespace {

constexpr const char* kModul = "GebührenTabelle";
constexpr int kEndgueltigeRechnung = 4;
constexpr int kAbschlagsrechnung = 5;
constexpr int kGutschrift = 7;
constexpr int kTerminRechnungsdatum = 8;

std::string Summentext(std::int64_t cent) { return Betragstext(Euro(cent), 11); }

// An amount field of an invoice record in whole cents (a value stored with a fraction of a cent by an
// older version counts as the cents it shows).
std::int64_t Cents(dao::Recordset& rs, const char* feld) {
    return Cent(CDbl(ZahlDatensatzLesen(rs.Fields(feld).Value())) / 100.0);
}

// A date field as stored (a date, or ISO text).
Datum DatumAusFeld(const Variant& v) {
    if (v.Typ() == VarTyp::Date) return v.AlsDatum();
    if (v.Typ() == VarTyp::String)
        if (auto d = DatumAusIso(v.AlsString())) return *d;
    return Datum{CDbl(v)};
}

// The amounts of column 5 of every fee table (the totals table is skipped), tables nested in a
// cell too; a cell that holds a table counts through that table.
void BetraegeSammeln(Prozedur& proc, word::Document& doc, Summen& summen, std::int16_t satz) {
    BetragszeilenDurchlaufen(proc, doc, [&](long, const word::Row&, const Betragszelle& zelle) {
        proc([&] { BetragErfassen(summen, zelle, satz); });
    });
}

word::Range Summenstelle(word::Document& doc) {
    for (word::Comment c : doc.Comments()) {
        if (c.Text() != kennung::Start) continue;
        word::Range r = c.Reference().Duplicate();
        r.Collapse(word::wdCollapseStart);
        return r;
    }
    word::Range r = doc.Content();
    r.Collapse(word::wdCollapseEnd);
    r.InsertParagraphAfter();
    r.Collapse(word::wdCollapseEnd);
    return r;
}

void Zeile(Prozedur& proc, word::Table& t, long r, const std::array<std::string, 4>& texte, bool fett) {
    for (long s = 1; s <= 4; ++s)
        if (!texte[static_cast<std::size_t>(s - 1)].empty())
            proc([&] { ZelleSchreiben(t, r, s, texte[static_cast<std::size_t>(s - 1)], fett); });
}

// What the letter text quotes and the record stores (cents): what is to be paid, net with the
// VAT-free part, VAT, gross, and the VAT-free part alone. On a final invoice that is what remains after
// the advance invoices.
struct Faellig {
    std::int64_t netto = 0, mwst = 0, brutto = 0, frei = 0;
};

// Letter-text amounts: the old amount after each tag's anchor is replaced (or the new one inserted).
void Brieftexte(Prozedur& proc, word::Document& doc, word::Application& app, const Faellig& f) {
    const std::array<std::pair<std::string_view, std::int64_t>, 5> tags = {{
        {kennung::Gesamt, f.brutto},
        {kennung::Netto, f.netto},
        {kennung::MwSt, f.mwst},
        {kennung::Brutto, f.brutto},
        {kennung::Auslagen, f.frei},
    }};
    std::vector<std::pair<word::Comment, std::int64_t>> stellen;
    proc([&] {
        for (word::Comment c : doc.Comments())
            for (const auto& [tag, betrag] : tags)
                if (c.Text() == tag) stellen.emplace_back(c, betrag);
    });
    for (auto& [kommentar, betrag] : stellen) {
        proc([&] {
            word::Range anker = kommentar.Reference().Duplicate();
            anker.Collapse(word::wdCollapseEnd);
            anker.Select();
            word::Selection sel = app.Selection();
            sel.MoveEnd(word::wdCharacter, kBriefbetragReichweite);
            const std::optional<Briefbetrag> alt = BriefbetragLesen(sel.Text());
            sel.Collapse(word::wdCollapseStart);
            // The old amount with its " €" and the blank after it; punctuation after it stays. Without
            // an amount after the tag the new one is inserted there.
            if (alt) sel.MoveEnd(word::wdCharacter, alt->zeichen);
            sel.TypeText(BriefbetragText(Summentext(betrag), alt ? alt->blankDanach : true));
        });
    }
}

// One advance invoice as its row shows it. Every value is read on its own, so a field that cannot be
// read (a NULL invoice number, a missing date) leaves only its own text out, and is logged; the
// amounts are deducted whatever the texts.
struct Abschlag {
    std::string nummer, datum;
    std::int64_t netto = 0, frei = 0, brutto = 0;
};

Abschlag AbschlagLesen(Prozedur& proc, dao::Recordset& abschlaege, dao::Database& db) {
    Abschlag a;
    proc([&] { a.netto = Cents(abschlaege, "NettoRechnung"); });
    proc([&] { a.frei = Cents(abschlaege, "MehrwertsteuerFreierbetrag"); });
    proc([&] { a.brutto = Cents(abschlaege, "Brutto"); });
    proc([&] { a.nummer = CStr(abschlaege.Fields("Rechnungsnummer").Value()); });
    proc([&] {
        const Variant id = abschlaege.Fields("ID_Rechnungsnummer").Value();
        auto termine = db.OpenRecordset("SELECT * FROM Termine WHERE ID_Rechnungsnummer = ? AND ID_Terminart = ?",
                                        {id, Variant(std::int32_t{kTerminRechnungsdatum})});
        if (termine->EOF())
            throw LaufzeitFehler(dao::fehlernummer::KeinAktuellerDatensatz,
                                 "Die Abschlagsrechnung " + CStr(id) + " hat kein Rechnungsdatum (Termin 8).");
        a.datum = CStr(DatumAusFeld(termine->Fields("Datum").Value()));
    });
    return a;
}

// Deducts the advance invoices of the same order below the totals, from what is to be paid.
void AbschlaegeAbziehen(Prozedur& proc, word::Table& t, dao::Recordset& rechnung, dao::Database& db,
                        const Summen& s, Faellig& rest, std::vector<long>& abschlagZeilen) {
    std::shared_ptr<dao::Recordset> abschlaege;
    proc([&] {
        abschlaege = db.OpenRecordset(
            "SELECT * FROM Rechnung WHERE ID_Auftragsnummer = ? AND Rechnungsart = ?",
            {rechnung.Fields("ID_Auftragsnummer").Value(), Variant(std::int32_t{kAbschlagsrechnung})});
    });
    if (!abschlaege || (abschlaege->BOF() && abschlaege->EOF())) return;

    long letzte = 0;
    proc([&] { letzte = t.Rows().Count(); });
    proc([&] {
        word::Range r = t.Cell(letzte, 2).Range();
        r.MoveEnd(word::wdCharacter, -1);
        r.Delete();
    });
    proc([&] { ZelleSchreiben(t, letzte, 2, "Gesamtsumme", true); });
    long zeile = letzte;
    auto neueZeile = [&] {
        proc([&] { t.Rows().Add(); });
        return ++zeile;
    };
    neueZeile();
    Zeile(proc, t, neueZeile(), {"", "Entgeld", "Umsatzsteuer", "Summe"}, false);
    // The whole invoice before the deductions: net (with the VAT-free part), VAT, gross.
    Zeile(proc, t, neueZeile(), {"", Summentext(s.Netto), Summentext(s.MwSt), Summentext(s.Rechnungsbetrag())}, false);
    Zeile(proc, t, neueZeile(), {"abzgl. Anzahlungen", "", "", ""}, false);
    proc([&] { abschlaege->MoveFirst(); });
    while (!abschlaege->EOF()) {
        const Abschlag a = AbschlagLesen(proc, *abschlaege, db);
        const long r = neueZeile();
        abschlagZeilen.push_back(r);
        Zeile(proc, t, r,
              {"Rechnung Nr. " + a.nummer + " vom " + a.datum, Summentext(a.netto + a.frei),
               Summentext(a.brutto - a.netto - a.frei), Summentext(a.brutto)},
              false);
        rest.netto -= a.netto + a.frei;
        rest.mwst -= a.brutto - a.netto - a.frei;
        rest.brutto -= a.brutto;
        rest.frei -= a.frei;
        if (!proc([&] { abschlaege->MoveNext(); })) break;
    }
    Zeile(proc, t, neueZeile(),
          {"Rechnungsbetrag", Summentext(rest.netto), Summentext(rest.mwst), Summentext(rest.brutto)}, true);
    neueZeile();
}

// The totals in the invoice record, in whole cents (negated for kind 7): what is to be paid, on a
// final invoice the figures of its "Rechnungsbetrag" row.
void Speichern(Prozedur& proc, dao::Recordset& rechnung, const Faellig& f, std::int16_t satz) {
    int art = 0;
    proc([&] { art = CInt(ZahlDatensatzLesen(rechnung.Fields("Rechnungsart").Value())); });
    const std::int64_t vorzeichen = art == kGutschrift ? -1 : 1;
    const auto cents = [&](std::int64_t wert) { return Variant(static_cast<double>(vorzeichen * wert)); };
    const bool gespeichert = proc([&] {
        rechnung.Edit();
        rechnung.Fields("NettoRechnung") = cents(f.netto - f.frei);
        rechnung.Fields("Brutto") = cents(f.brutto);
        rechnung.Fields("MehrwertsteuerFreierbetrag") = cents(f.frei);
        rechnung.Fields("Mehrwertsteuersatz") = Variant(CInt(satz * 10.0));
        rechnung.Update();
    });
    Kontext().DatensatzGespeichert = gespeichert;
    Kontext().DatensatzFehler = gespeichert ? std::string() : proc.LetzterFehler();
}

}  // namespace

namespace {
int aufschübe = 0;
}

SummenAufschub::SummenAufschub() { ++aufschübe; }
SummenAufschub::~SummenAufschub() { --aufschübe; }
bool SummenAufgeschoben() { return aufschübe > 0; }

void SummeBilden(bool zahlungsziel) {
    if (SummenAufgeschoben()) return;
    Prozedur proc(kModul, "SummeBilden");
    Rechnungskontext& k = Kontext();
    if (!k.Doc) {
        proc([] { throw LaufzeitFehler(fehlernummer::ObjektNichtFestgelegt); });
        return;
    }
    word::Document& doc = *k.Doc;
    std::shared_ptr<word::Application> app = k.WordApp ? k.WordApp : doc.Application();
    const Regelwerte werte{k.Rabatt, k.AbschlagProzent, k.AbschlagAbsolut, k.Mehrwertsteuersatz};

    Summen s;
    BetraegeSammeln(proc, doc, s, k.Mehrwertsteuersatz);
    if (!proc([&] { RegelAnwenden(s, werte); })) RegelAnwenden(s, Regelwerte{});

    // The totals table.
    const std::string regel = Regeltext(s, werte);
    const long ersteMwSt = regel.empty() ? 2 : 3;
    const long n = static_cast<long>(s.saetze.size());
    const long zeilen = ersteMwSt + n + 1;
    word::Table t;
    proc([&] { t = doc.Tables().Add(Summenstelle(doc), zeilen, 4); });
    if (!t.IstNothing()) {
        Zeile(proc, t, 1, {" ", "Summe", "", Summentext(s.Gesamt)}, false);
        proc([&] {
            t.Cell(1, 1).Select();
            doc.Comments().Add(app->Selection().Range(), kennung::Summe);
        });
        if (!regel.empty()) {
            proc([&] { ZelleSchreiben(t, 2, 2, "\r" + regel, true); });
            proc([&] { ZelleSchreiben(t, 2, 4, "\r" + Summentext(s.Netto), false); });
        }
        for (long i = 0; i < n; ++i) {
            const Steuersatz& satz = s.saetze[static_cast<std::size_t>(i)];
            Zeile(proc, t, ersteMwSt + i,
                  {"", "Mehrwertsteuer " + CStr(satz.satz) + " %", Summentext(satz.basis), Summentext(satz.mwst)},
                  false);
        }
        proc([&] { t.Rows().Item(zeilen - 1).SetHeight(6, word::wdRowHeightExactly); });
        Zeile(proc, t, zeilen, {"", "Rechnungsbetrag", "", Summentext(s.Rechnungsbetrag())}, true);
    }

    // Final invoice: deduct the advance invoices. The letter quotes what is to be paid, as the record
    // stores it.
    Faellig faellig{s.Netto, s.MwSt, s.Rechnungsbetrag(), s.Frei};
    std::vector<long> abschlagZeilen;
    int art = 0;
    if (k.Rechnung) proc([&] { art = CInt(ZahlDatensatzLesen(k.Rechnung->Fields("Rechnungsart").Value())); });
    if (k.Rechnung && art == kEndgueltigeRechnung && !t.IstNothing()) {
        proc([&] { AbschlaegeAbziehen(proc, t, *k.Rechnung, Gesetzt(k.NeueAbfrage), s, faellig, abschlagZeilen); });
    }
    Brieftexte(proc, doc, *app, faellig);

    // Format the totals table.
    if (!t.IstNothing()) {
        TabelleFormatierenGemeinsam(t, {}, {4.0, 8.0, 3.0, 2.5}, kModul);
        proc([&] {
            t.Select();
            app->Selection().ParagraphFormat().SetAlignment(word::wdAlignParagraphRight);
        });
        for (long r : abschlagZeilen) {
            proc([&] { t.Cell(r, 1).SetWidth(word::Application::CentimetersToPoints(9.0)); });
            proc([&] { t.Cell(r, 2).SetWidth(word::Application::CentimetersToPoints(3.0)); });
        }
    }

    if (k.Rechnung) Speichern(proc, *k.Rechnung, faellig, k.Mehrwertsteuersatz);

    Zahlungsziel(doc, zahlungsziel);
    proc([&] {
        word::Range anfang = doc.Content();
        anfang.Collapse(word::wdCollapseStart);
        anfang.Select();
    });
    word::View ansicht = app->ActiveWindow().View();
    FehlerIgnorieren([&] { ansicht.SetShowHiddenText(false); });
    FehlerIgnorieren([&] { ansicht.SetShowAll(false); });
    FehlerIgnorieren([&] { ansicht.SetShowComments(false); });
    FehlerIgnorieren([&] { ansicht.SetShowInsertionsAndDeletions(false); });
    FehlerIgnorieren([&] { ansicht.SetShowFormatting(false); });
    FehlerIgnorieren([&] { doc.Settings().SetShowSpellingErrors(false); });
    FehlerIgnorieren([&] { doc.Settings().SetShowGrammaticalErrors(false); });
}

void Zahlungsziel(word::Document& dokument, bool zahlungsziel) {
    Prozedur proc(kModul, "Zahlungsziel");
    Rechnungskontext& k = Kontext();
    std::vector<word::Shape> alte;
    proc([&] {
        for (word::Shape s : dokument.Shapes())
            if (s.Name() == "Zahlungsziel") alte.push_back(s);
    });
    for (word::Shape& s : alte) proc([&] { s.Delete(); });
    if (!zahlungsziel) return;

    // The settings row; a missing table or row leaves it unset, and each statement that needs it is
    // logged and skipped: the box is placed without its text rather than not at all.
    std::shared_ptr<dao::Recordset> version;
    proc([&] {
        auto rs = Gesetzt(k.NeueAbfrage).OpenRecordset("SELECT * FROM Version");
        rs->MoveFirst();
        version = rs;
    });
    std::shared_ptr<word::Application> app = dokument.Application();
    proc([&] {
        word::Range anfang = dokument.Content();
        anfang.Collapse(word::wdCollapseStart);
        anfang.Select();
    });
    word::Shape kasten;
    bool angelegt = proc([&] {
        kasten = dokument.Shapes().AddTextbox(word::msoTextOrientationHorizontal, 70.5, 766.5, 450.75, 54);
    });
    if (!angelegt) return;
    proc([&] { kasten.SetName("Zahlungsziel"); });
    proc([&] { kasten.Line().SetVisible(false); });
    proc([&] { kasten.Fill().SetVisible(false); });
    proc([&] { kasten.SetRelativeVerticalPosition(word::wdRelativeVerticalPositionPage); });
    proc([&] {
        const double abstand = CDbl(Gesetzt(version).Fields("AbstandZahlungsziel").Value());
        kasten.SetTop(word::Application::CentimetersToPoints(abstand));
    });
    proc([&] { kasten.TextFrame().TextRange().Select(); });
    proc([&] { app->Selection().ParagraphFormat().SetAlignment(word::wdAlignParagraphCenter); });

    std::string text;
    proc([&] { text = CStr(Gesetzt(version).Fields("Zahlungsziel").Value()); });
    if (auto auf = text.find('<'); auf != std::string::npos) {
        proc([&] {
            const double tage = Val(text.substr(auf + 1, 3));
            Datum basis = Heute();
            if (k.Rechnung) {
                auto termine = Gesetzt(k.NeueAbfrage).OpenRecordset(
                    "SELECT ID_Terminart, ID_Rechnungsnummer, Datum From Termine "
                    "WHERE (((ID_Terminart)=8) AND ((ID_Rechnungsnummer)=?));",
                    {k.Rechnung->Fields("ID_Rechnungsnummer").Value()});
                if (!termine->EOF()) basis = DatumAusFeld(termine->Fields("Datum").Value());
            }
            const std::size_t zu = text.find('>', auf);
            const std::size_t laenge = zu == std::string::npos ? std::string::npos : zu - auf + 1;
            text.replace(auf, laenge, " " + CStr(Datum{std::floor(basis.wert) + tage}) + " ");
        });
    }
    int bund = 0;
    proc([&] { bund = CInt(ZahlDatensatzLesen(Gesetzt(version).Fields("BundZahlungsziel").Value())); });
    proc([&] {
        app->Selection().ParagraphFormat().SetAlignment(
            bund == 0 ? word::wdAlignParagraphLeft
                      : bund == 1 ? word::wdAlignParagraphCenter : word::wdAlignParagraphRight);
    });
    proc([&] { app->Selection().TypeText(text); });
}

}  // namespace vk
