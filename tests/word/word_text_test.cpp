// Text of stories as the callers read it: marks, insertion, live ranges, formatting.
#include <gtest/gtest.h>

#include "common/fehler.h"
#include "platform/word/document.h"
#include "word/word_hilfen.h"

using namespace vk::word;

namespace {

std::string Zelle(Table t, long z, long s) { return t.Cell(z, s).Range().Text(); }

}  // namespace

TEST(WordText, NeuesDokumentIstEinLeererAbsatz) {
    auto doc = Document::New();
    EXPECT_EQ(doc->Content().Text(), "\r");
    EXPECT_EQ(doc->Tables().Count(), 0);
    EXPECT_EQ(doc->Comments().Count(), 0);
}

TEST(WordText, ZellenEndenMitZellendeUndZeilenende) {
    auto doc = Document::New();
    auto r = doc->Content();
    r.Collapse(wdCollapseStart);
    Table t = doc->Tables().Add(r, 2, 2);
    t.Cell(1, 1).Range().InsertAfter("a");
    t.Cell(1, 2).Range().InsertAfter("b\rc");
    t.Cell(2, 1).Range().InsertAfter("x\r\ny\vz");
    EXPECT_EQ(Zelle(t, 1, 1), "a\r\a");
    EXPECT_EQ(Zelle(t, 1, 2), "b\rc\r\a");
    EXPECT_EQ(Zelle(t, 2, 1), "x\ry\vz\r\a");  // CR LF is one paragraph break
    EXPECT_EQ(Zelle(t, 2, 2), "\r\a");
    EXPECT_EQ(t.Range().Text(), "a\r\ab\rc\r\a\r\ax\ry\vz\r\a\r\a\r\a");
    // the document goes on with a paragraph after the table
    EXPECT_EQ(doc->Content().Text(), t.Range().Text() + "\r");
}

TEST(WordText, InsertAfterAufZelleVerlaengertDenBereich) {
    auto doc = Document::New();
    auto r = doc->Content();
    r.Collapse(wdCollapseStart);
    Table t = doc->Tables().Add(r, 1, 2);
    auto zelle = t.Cell(1, 1).Range();
    zelle.InsertAfter("eins");
    zelle.InsertAfter(" zwei");
    EXPECT_EQ(zelle.Text(), "eins zwei\r\a");
    EXPECT_EQ(Zelle(t, 1, 2), "\r\a");
    // the neighbouring cell's remembered range moved with the text
    auto nachbar = t.Cell(1, 2).Range();
    zelle.InsertAfter("!");
    nachbar.InsertAfter("n");
    EXPECT_EQ(nachbar.Text(), "n\r\a");
    EXPECT_EQ(Zelle(t, 1, 1), "eins zwei!\r\a");
}

TEST(WordText, PositionenZaehlenZeichenNichtBytes) {
    auto doc = Document::New();
    auto r = doc->Content();
    r.InsertBefore("Betrag 1.234,50 € zahlbar");
    auto teil = doc->Range(7, 7);
    teil.MoveEnd(wdCharacter, 10);
    EXPECT_EQ(teil.Text(), "1.234,50 €");
    EXPECT_EQ(doc->Content().End(), 26);
}

TEST(WordText, MoveStartUmEinWortZurueck) {
    auto doc = Document::New();
    doc->Content().InsertBefore("Sehr geehrte Damen\rkalStart hier");
    auto r = doc->Range(19, 19);  // start of the second paragraph
    EXPECT_EQ(r.MoveStart(wdWord, -1), -1);
    EXPECT_EQ(r.Start(), 18);  // the paragraph mark is a word of its own
    auto w = doc->Range(16, 16);
    w.MoveStart(wdWord, -1);
    EXPECT_EQ(w.Start(), 13);  // start of "Damen"
    auto v = doc->Range(13, 13);
    v.MoveStart(wdWord, -1);
    EXPECT_EQ(v.Start(), 5);  // "geehrte " with its blank
}

TEST(WordText, InsertParagraphBeforeUndCollapse) {
    auto doc = Document::New();
    doc->Content().InsertBefore("Anschreiben\rPositionen");
    auto r = doc->Range(12, 12);
    r.MoveStart(wdWord, -1);
    r.InsertParagraphBefore();
    EXPECT_EQ(r.Text(), "\r\r");
    r.Collapse(wdCollapseStart);
    EXPECT_EQ(doc->Content().Text(), "Anschreiben\r\rPositionen\r");
}

TEST(WordText, LebendigeBereicheFolgenEinfuegenUndLoeschen) {
    auto doc = Document::New();
    doc->Content().InsertBefore("Summe: 100 €");
    auto betrag = doc->Range(7, 10);
    EXPECT_EQ(betrag.Text(), "100");
    doc->Range(0, 0).InsertBefore("Die ");
    EXPECT_EQ(betrag.Text(), "100");
    doc->Range(0, 4).Delete();
    EXPECT_EQ(betrag.Text(), "100");
    doc->Range(5, 9).Delete();  // ": 10" overlaps the start
    EXPECT_EQ(betrag.Start(), 5);
    EXPECT_EQ(betrag.Text(), "0");
    EXPECT_EQ(doc->Content().Text(), "Summe0 €\r");
}

TEST(WordText, DeleteUeberAbsatzgrenzeVerbindetAbsaetze) {
    auto doc = Document::New();
    doc->Content().InsertBefore("eins\rzwei\rdrei");
    doc->Range(2, 7).Delete();
    EXPECT_EQ(doc->Content().Text(), "eiei\rdrei\r");
    // the last paragraph mark cannot go
    doc->Content().Delete();
    EXPECT_EQ(doc->Content().Text(), "\r");
}

TEST(WordText, FettUndSchriftgroesseBleibenNachSpeichern) {
    auto pfad = test::TempOrdner() / "fett.docx";
    {
        auto doc = Document::New();
        doc->Content().InsertBefore("normal fett normal");
        doc->Range(7, 11).SetBold(wdTrue);
        doc->Range(0, 6).SetFontSize(9);
        EXPECT_EQ(doc->Range(7, 11).Bold(), wdTrue);
        EXPECT_EQ(doc->Range(0, 11).Bold(), wdUndefined);
        doc->Save(pfad);
    }
    auto doc = Document::Open(pfad);
    test::PythonLiestGleich(*doc, pfad);
    EXPECT_EQ(doc->Content().Text(), "normal fett normal\r");
    EXPECT_EQ(doc->Range(7, 11).Bold(), wdTrue);
    EXPECT_EQ(doc->Range(12, 18).Bold(), wdFalse);
    EXPECT_DOUBLE_EQ(doc->Range(0, 6).FontSize(), 9.0);
}

TEST(WordText, SelectionTypeTextErsetztDieAuswahl) {
    auto doc = Document::New();
    doc->Content().InsertBefore("Gesamt  1.000,00 € netto");
    auto sel = doc->Application()->Selection();
    doc->Range(6, 6).Select();
    sel.MoveEnd(wdCharacter, 15);
    std::string text = sel.Text();
    EXPECT_EQ(text, "  1.000,00 € ne");
    sel.Collapse(wdCollapseStart);
    auto p = text.find(" €");
    sel.MoveEnd(wdCharacter, static_cast<long>(p) + 1 + 2);
    sel.TypeText("    2.500,00 € ");
    EXPECT_EQ(doc->Content().Text(), "Gesamt    2.500,00 € netto\r");
    EXPECT_EQ(sel.Start(), 21);
    EXPECT_EQ(sel.End(), 21);
}

TEST(WordText, FehlerHabenNummern) {
    auto doc = Document::New();
    auto r = doc->Content();
    r.Collapse(wdCollapseStart);
    Table t = doc->Tables().Add(r, 2, 3);
    try {
        t.Cell(3, 1);
        FAIL();
    } catch (const vk::LaufzeitFehler& f) {
        EXPECT_EQ(f.Nummer(), vk::fehlernummer::UngueltigesArgument);
    }
    try {
        doc->Tables().Item(2);
        FAIL();
    } catch (const vk::LaufzeitFehler& f) {
        EXPECT_EQ(f.Nummer(), vk::fehlernummer::IndexAusserhalb);
    }
    try {
        Range leer;
        leer.Text();
        FAIL();
    } catch (const vk::LaufzeitFehler& f) {
        EXPECT_EQ(f.Nummer(), vk::fehlernummer::ObjektNichtFestgelegt);
    }
    t.Delete();
    try {
        t.Cell(1, 1);
        FAIL();
    } catch (const vk::LaufzeitFehler& f) {
        EXPECT_EQ(f.Nummer(), vk::fehlernummer::ObjektNichtFestgelegt);
    }
}

TEST(WordText, NachgefuehrterStromGleichtDemNeuGelesenen) {
    // many small edits are applied to the cached stream in place; it must match a fresh reading
    auto doc = Document::New();
    doc->Content().InsertBefore("Kopf\rkalStart hier\rFuß");
    doc->Comments().Add(doc->Range(5, 13), "kalStart");
    auto stelle = doc->Comments().Item(1).Reference();
    stelle.Collapse(wdCollapseStart);
    Table t = doc->Tables().Add(stelle, 3, 3);
    doc->Comments().Add(t.Cell(2, 2).Range(), "0");
    for (int z = 1; z <= 3; ++z)
        for (int s = 1; s <= 3; ++s) {
            auto r = t.Cell(z, s).Range();
            r.InsertAfter("z" + std::to_string(z));
            r.InsertAfter("\ts" + std::to_string(s));
            r.InsertBefore("[");
        }
    auto anker = doc->Comments().Item(2).Reference();  // anchor order: the cell's tag comes first
    anker.Collapse(wdCollapseStart);
    anker.InsertBefore("vor ");
    auto pfad = test::TempOrdner() / "strom.docx";
    doc->Save(pfad);
    auto frisch = Document::Open(pfad);
    EXPECT_EQ(doc->Content().Text(), frisch->Content().Text());
    ASSERT_EQ(doc->Comments().Count(), frisch->Comments().Count());
    for (long i = 1; i <= doc->Comments().Count(); ++i) {
        EXPECT_EQ(doc->Comments().Item(i).Reference().Start(), frisch->Comments().Item(i).Reference().Start());
        EXPECT_EQ(doc->Comments().Item(i).Reference().End(), frisch->Comments().Item(i).Reference().End());
    }
    for (int z = 1; z <= 3; ++z)
        for (int s = 1; s <= 3; ++s) {
            Range a = doc->Tables().Item(1).Cell(z, s).Range(), b = frisch->Tables().Item(1).Cell(z, s).Range();
            EXPECT_EQ(a.Start(), b.Start());
            EXPECT_EQ(a.End(), b.End());
        }
    EXPECT_EQ(frisch->Comments().Item(2).Text(), "kalStart");
    EXPECT_EQ(frisch->Comments().Item(2).Reference().Text(), "kalStart");
    EXPECT_EQ(frisch->Content().Text().find("vor kalStart hier"), frisch->Comments().Item(2).Reference().Start() - 4);
    EXPECT_EQ(frisch->Tables().Item(1).Cell(2, 2).Range().Comments().Item(1).Text(), "0");
    EXPECT_EQ(frisch->Tables().Item(1).Cell(3, 1).Range().Text(), "[z3\ts1\r\a");
}
