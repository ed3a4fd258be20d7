// Cached story streams after edits: an edit of one story must show in that story at once, the
// stories it leaves valid must still read what the document holds, and a stream kept up to date in
// place must equal a fresh reading of the XML and what the saved file reads back.
#include <gtest/gtest.h>

#include "platform/word/detail/kern.h"
#include "platform/word/document.h"
#include "word/word_hilfen.h"

using namespace vk::word;

namespace {

constexpr int kHaupttext = detail::Kern::kHaupttext;

// The main text's cached stream against a fresh reading of its XML.
void WieFrischGelesen(Document& doc) {
    detail::Kern& k = *doc.KernIntern();
    const detail::StoryCache& c = k.cache(kHaupttext);
    detail::StoryCache frisch;
    detail::StoryLesen(k.story(kHaupttext).wurzel, frisch);
    EXPECT_TRUE(c.text == frisch.text);
    ASSERT_EQ(c.stuecke.size(), frisch.stuecke.size());
    for (std::size_t i = 0; i < c.stuecke.size(); ++i) {
        const auto &a = c.stuecke[i], &b = frisch.stuecke[i];
        EXPECT_EQ(a.start, b.start) << i;
        EXPECT_EQ(a.laenge, b.laenge) << i;
        EXPECT_EQ(static_cast<int>(a.art), static_cast<int>(b.art)) << i;
        EXPECT_EQ(a.knoten, b.knoten) << i;
        EXPECT_EQ(a.absatz, b.absatz) << i;
    }
    for (const auto& [id, m] : frisch.kommentarStart) EXPECT_EQ(c.kommentarStart.at(id).position, m.position) << id;
    for (const auto& [id, m] : frisch.kommentarEnde) EXPECT_EQ(c.kommentarEnde.at(id).position, m.position) << id;
    for (const auto& [knoten, b] : frisch.bereiche) EXPECT_EQ(c.bereiche.at(knoten), b);
}

// Saved and opened again, the document reads the same text, comment anchors and cell places.
void GespeichertGleich(Document& doc) {
    auto pfad = test::TempOrdner() / "gespeichert.docx";
    doc.Save(pfad);
    auto frisch = Document::Open(pfad);
    EXPECT_EQ(frisch->Content().Text(), doc.Content().Text());
    ASSERT_EQ(frisch->Comments().Count(), doc.Comments().Count());
    for (long i = 1; i <= doc.Comments().Count(); ++i) {
        Range a = doc.Comments().Item(i).Reference(), b = frisch->Comments().Item(i).Reference();
        EXPECT_EQ(a.Start(), b.Start()) << "comment " << i;
        EXPECT_EQ(a.End(), b.End()) << "comment " << i;
        EXPECT_EQ(doc.Comments().Item(i).Text(), frisch->Comments().Item(i).Text());
    }
    ASSERT_EQ(frisch->Tables().Count(), doc.Tables().Count());
    for (long t = 1; t <= doc.Tables().Count(); ++t) {
        Table a = doc.Tables().Item(t), b = frisch->Tables().Item(t);
        for (long z = 1; z <= a.Rows().Count(); ++z)
            for (long s = 1; s <= a.Rows().Item(z).CellCount(); ++s) {
                EXPECT_EQ(a.Cell(z, s).Range().Start(), b.Cell(z, s).Range().Start()) << z << "," << s;
                EXPECT_EQ(a.Cell(z, s).Range().End(), b.Cell(z, s).Range().End()) << z << "," << s;
            }
    }
}

// The text, then a table of 2 × 2 after it.
Table MitTabelleAmEnde(Document& doc, const std::string& text) {
    doc.Content().InsertBefore(text);
    auto ende = doc.Content();
    ende.Collapse(wdCollapseEnd);
    return doc.Tables().Add(ende, 2, 2);
}

// "Vorspann\rAnker eins\rAnker zwei\r" with a comment on each anchor paragraph.
std::shared_ptr<Document> MitZweiKommentaren() {
    auto doc = Document::New();
    doc->Content().InsertBefore("Vorspann\rAnker eins\rAnker zwei");
    doc->Comments().Add(doc->Range(9, 19), "erster");
    doc->Comments().Add(doc->Range(20, 30), "zweiter");
    return doc;
}

}  // namespace

TEST(WordCache, KommentartextNachEigenerAenderung) {
    auto doc = MitZweiKommentaren();
    Comment eins = doc->Comments().Item(1), zwei = doc->Comments().Item(2);
    ASSERT_EQ(eins.Text(), "erster");
    ASSERT_EQ(zwei.Text(), "zweiter");

    eins.Range().InsertAfter(" Satz");  // inserted in place
    EXPECT_EQ(eins.Text(), "erster Satz");
    EXPECT_EQ(zwei.Text(), "zweiter");

    Range r = eins.Range();
    r.SetRange(0, 7);
    r.Delete();  // deleted: the comment is read again
    EXPECT_EQ(eins.Text(), "Satz");
    EXPECT_EQ(eins.Range().End(), 4);

    zwei.Range().InsertAfter("\rAbsatz");  // a paragraph split in the other comment
    EXPECT_EQ(zwei.Text(), "zweiter\rAbsatz");
    EXPECT_EQ(eins.Text(), "Satz");
    EXPECT_EQ(doc->Content().Text(), "Vorspann\rAnker eins\rAnker zwei\r");
}

TEST(WordCache, HaupttextAenderungVerschiebtAnkerNichtKommentare) {
    auto doc = MitZweiKommentaren();
    Comment eins = doc->Comments().Item(1), zwei = doc->Comments().Item(2);
    ASSERT_EQ(eins.Text(), "erster");
    ASSERT_EQ(zwei.Reference().Start(), 20);

    doc->Range(0, 8).Delete();  // "Vorspann" goes
    EXPECT_EQ(doc->Content().Text(), "\rAnker eins\rAnker zwei\r");
    EXPECT_EQ(zwei.Reference().Start(), 12);
    EXPECT_EQ(zwei.Reference().Text(), "Anker zwei");
    EXPECT_EQ(eins.Text(), "erster");

    doc->Range(0, 0).InsertBefore("Neu\rer ");  // split paragraphs before both anchors
    EXPECT_EQ(eins.Reference().Text(), "Anker eins");
    EXPECT_EQ(eins.Reference().Start(), 8);
    EXPECT_EQ(zwei.Reference().Start(), 19);
    EXPECT_EQ(zwei.Text(), "zweiter");

    // a comment edit after the main text moved: both still read the document
    eins.Range().InsertBefore("der ");
    EXPECT_EQ(eins.Text(), "der erster");
    EXPECT_EQ(eins.Reference().Text(), "Anker eins");
    EXPECT_EQ(doc->Comments().Count(), 2);
}

TEST(WordCache, EntfernterUndNeuerKommentarWerdenFrischGelesen) {
    auto doc = MitZweiKommentaren();
    for (int runde = 0; runde < 5; ++runde) {
        Comment eins = doc->Comments().Item(1);
        ASSERT_EQ(eins.Text(), runde == 0 ? "erster" : "neu " + std::to_string(runde - 1));
        eins.Delete();
        ASSERT_EQ(doc->Comments().Count(), 1);
        EXPECT_EQ(doc->Comments().Item(1).Text(), "zweiter");
        // a new comment may take the removed one's place in memory: it must not read the old text
        doc->Comments().Add(doc->Range(9, 19), "neu " + std::to_string(runde));
        ASSERT_EQ(doc->Comments().Count(), 2);
        EXPECT_EQ(doc->Comments().Item(1).Text(), "neu " + std::to_string(runde));
        EXPECT_EQ(doc->Comments().Item(2).Text(), "zweiter");
    }
}

TEST(WordCache, NeuerKommentarLaesstDenHaupttextGueltig) {
    auto doc = MitZweiKommentaren();
    // a comment added on a stretch that cuts runs, and one on a point
    doc->Comments().Add(doc->Range(2, 5), "dritter");
    WieFrischGelesen(*doc);
    ASSERT_EQ(doc->Comments().Count(), 3);
    EXPECT_EQ(doc->Comments().Item(1).Text(), "dritter");
    EXPECT_EQ(doc->Comments().Item(1).Reference().Text(), "rsp");
    EXPECT_EQ(doc->Comments().Item(2).Text(), "erster");
    EXPECT_EQ(doc->Comments().Item(3).Reference().Text(), "Anker zwei");
    doc->Comments().Add(doc->Range(25, 25), "Punkt");
    WieFrischGelesen(*doc);
    EXPECT_EQ(doc->Comments().Item(4).Text(), "Punkt");
    EXPECT_EQ(doc->Comments().Item(4).Reference().Start(), 25);
}

TEST(WordCache, TextfeldFolgtDemHaupttext) {
    auto doc = Document::New();
    doc->Content().InsertBefore("Anschreiben");
    doc->Range(0, 0).Select();
    Shape box = doc->Shapes().AddTextbox(msoTextOrientationHorizontal, 70.5, 766.5, 450.75, 54);
    box.TextFrame().TextRange().InsertBefore("Zahlbar");
    ASSERT_EQ(box.TextFrame().TextRange().Text(), "Zahlbar\r");

    doc->Range(0, 0).InsertBefore("Betreff\r");
    EXPECT_EQ(doc->Content().Text(), "Betreff\rAnschreiben\r");
    EXPECT_EQ(box.TextFrame().TextRange().Text(), "Zahlbar\r");
    box.TextFrame().TextRange().InsertAfter(" sofort");
    EXPECT_EQ(box.TextFrame().TextRange().Text(), "Zahlbar sofort\r");
    EXPECT_EQ(doc->Content().Text(), "Betreff\rAnschreiben\r");
}

TEST(WordCache, LaufTrennenHaeltDenStromGueltig) {
    auto doc = Document::New();
    doc->Content().InsertBefore("Alpha Beta Gamma\rzweiter Absatz");
    doc->Comments().Add(doc->Range(6, 10), "Beta");
    for (long stelle : {3L, 8L, 8L, 0L, 16L, 20L}) {  // inside runs, at a cut, at boundaries
        doc->KernIntern()->LaufTrennen(kHaupttext, stelle);
        WieFrischGelesen(*doc);
    }
    doc->Range(2, 12).SetBold(1);  // cuts runs at both ends
    WieFrischGelesen(*doc);
    doc->Range(13, 13).InsertBefore("xy");  // inside a run: cut, then the insertion kept in place
    WieFrischGelesen(*doc);
    doc->Range(1, 4).Delete();
    WieFrischGelesen(*doc);
    EXPECT_EQ(doc->Content().Text(), "Aa Beta Gaxymma\rzweiter Absatz\r");
    EXPECT_EQ(doc->Comments().Item(1).Reference().Text(), "Beta");
    EXPECT_EQ(doc->Range(1, 9).Bold(), -1);  // True
    EXPECT_EQ(doc->Range(9, 12).Bold(), 0);
}

TEST(WordCache, LoeschenInnerhalbEinesAbsatzesHaeltDenStromGueltig) {
    auto doc = Document::New();
    Table t = MitTabelleAmEnde(*doc, "Eins zwei\tdrei vier\rFünf sechs");
    doc->Range(5, 9).SetBold(1);                      // "zwei" a run of its own
    doc->Comments().Add(doc->Range(10, 14), "drei");  // marks around "drei"
    t.Cell(1, 2).Range().InsertAfter("Zelle mit Text");
    WieFrischGelesen(*doc);

    doc->Range(1, 3).Delete();  // inside one run
    WieFrischGelesen(*doc);
    EXPECT_EQ(doc->Comments().Item(1).Reference().Text(), "drei");
    doc->Range(2, 8).Delete();  // over a run boundary and the tab: "Es zwei\tdrei" -> "Esdrei"
    WieFrischGelesen(*doc);
    EXPECT_EQ(doc->Comments().Item(1).Reference().Text(), "drei");
    EXPECT_EQ(doc->Comments().Item(1).Reference().Start(), 2);
    doc->Range(3, 8).Delete();  // from inside the commented word over its end mark
    WieFrischGelesen(*doc);
    EXPECT_EQ(doc->Comments().Item(1).Reference().Text(), "d");
    Range zelle = t.Cell(1, 2).Range();
    long vorher = zelle.Start();
    doc->Range(0, 2).Delete();  // the start of the first paragraph: everything after moves back
    WieFrischGelesen(*doc);
    EXPECT_EQ(zelle.Start(), vorher - 2);
    EXPECT_EQ(t.Cell(1, 2).Range().Start(), vorher - 2);

    Range innen = t.Cell(1, 2).Range();
    innen.SetRange(innen.Start() + 5, innen.Start() + 9);  // " mit" in a cell
    innen.Delete();
    WieFrischGelesen(*doc);
    EXPECT_EQ(t.Cell(1, 2).Range().Text(), "Zelle Text\r\a");

    EXPECT_EQ(doc->Content().Text().substr(0, 16), "dier\rF\xC3\xBCnf sechs");
    doc->Range(1, 4).Delete();
    WieFrischGelesen(*doc);
    doc->Range(1, 3).Delete();  // over a paragraph mark: read again, not cut in place
    WieFrischGelesen(*doc);
    EXPECT_EQ(doc->Content().Text().substr(0, 12), "d\xC3\xBCnf sechs\r");
    auto sel = doc->Application()->Selection();
    doc->Range(2, 5).Select();
    sel.TypeText("XY");
    WieFrischGelesen(*doc);
    EXPECT_EQ(doc->Content().Text().substr(0, 11), "d\xC3\xBCXYsechs\r");
}

TEST(WordCache, AbsatzTeilenHaeltDenStromGueltig) {
    auto doc = Document::New();
    Table t = MitTabelleAmEnde(*doc, "Erster Absatz\rZweiter Absatz");
    doc->Range(7, 13).SetBold(1);
    doc->Comments().Add(doc->Range(7, 13), "Absatz");
    doc->Comments().Add(doc->Range(14, 14), "Punkt");  // marks at the start of the second paragraph
    t.Cell(2, 2).Range().InsertAfter("Zelle");
    WieFrischGelesen(*doc);

    doc->Range(3, 3).InsertBefore("\r");  // inside a run
    WieFrischGelesen(*doc);
    doc->Range(0, 0).InsertParagraphBefore();  // at the start of the story
    WieFrischGelesen(*doc);
    EXPECT_EQ(doc->Content().Text().substr(0, 16), "\rErs\rter Absatz\r");
    EXPECT_EQ(doc->Comments().Item(1).Reference().Text(), "Absatz");
    doc->Range(9, 9).InsertBefore("\r");  // at the start of the commented word, before its mark
    WieFrischGelesen(*doc);
    EXPECT_EQ(doc->Comments().Item(1).Reference().Text(), "Absatz");
    long punkt = doc->Comments().Item(2).Reference().Start();
    doc->Range(punkt, punkt).InsertParagraphBefore();  // where the point comment sits
    WieFrischGelesen(*doc);
    doc->Range(punkt - 1, punkt - 1).InsertParagraphAfter();  // at a paragraph mark
    WieFrischGelesen(*doc);
    EXPECT_EQ(doc->Comments().Item(2).Text(), "Punkt");

    Range zelle = t.Cell(2, 2).Range();
    Range mitte = doc->Range(zelle.Start() + 2, zelle.Start() + 2);
    mitte.InsertBefore("\r");  // in the last paragraph of a cell
    WieFrischGelesen(*doc);
    EXPECT_EQ(t.Cell(2, 2).Range().Text(), "Ze\rlle\r\a");
    EXPECT_EQ(t.Cell(2, 2).Range().Start(), zelle.Start());
    EXPECT_EQ(t.Cell(1, 1).Range().Text(), "\r\a");
    Range leer = t.Cell(1, 2).Range();
    leer.Collapse(wdCollapseStart);
    leer.InsertBefore("\r");  // an empty cell
    WieFrischGelesen(*doc);
    EXPECT_EQ(t.Cell(1, 2).Range().Text(), "\r\r\a");
    GespeichertGleich(*doc);
}

TEST(WordCache, EingefuegteMarkenWerdenBeimNaechstenLesenGesehen) {
    auto doc = Document::New();
    doc->Content().InsertBefore("Alpha Beta Gamma");
    detail::Kern& k = *doc->KernIntern();
    ASSERT_EQ(k.cache(kHaupttext).Laenge(), 17);
    // two marks in a row, the way a bookmark or a comment anchor is set: ids come after insertion
    pugi::xml_node ende = k.MarkeEinfuegen(kHaupttext, 10, "w:bookmarkEnd", true);
    ende.append_attribute("w:id") = "7";
    pugi::xml_node start = k.MarkeEinfuegen(kHaupttext, 8, "w:bookmarkStart", false);  // cuts "Beta"
    start.append_attribute("w:id") = "7";
    start.append_attribute("w:name") = "Marke";
    const detail::StoryCache& c = k.cache(kHaupttext);
    ASSERT_EQ(c.textmarkeStart.count("Marke"), 1u);
    EXPECT_EQ(c.textmarkeStart.at("Marke").position, 8);
    EXPECT_EQ(c.textmarkeEnde.at("7").position, 10);
    WieFrischGelesen(*doc);
    EXPECT_EQ(doc->Content().Text(), "Alpha Beta Gamma\r");
}

TEST(WordCache, TextMitAbsatzmarkeHaeltDenStromGueltig) {
    auto doc = Document::New();
    Table t = MitTabelleAmEnde(*doc, "Eins Zwei Drei");
    doc->Comments().Add(doc->Range(5, 5), "Punkt");  // marks at the place of the insertion
    doc->Comments().Add(doc->Range(5, 9), "Zwei");
    WieFrischGelesen(*doc);

    doc->Range(5, 5).InsertBefore("vor\rnach ");  // text, mark, text at the marks
    WieFrischGelesen(*doc);
    EXPECT_EQ(doc->Content().Text().substr(0, 24), "Eins vor\rnach Zwei Drei\r");
    EXPECT_EQ(doc->Comments().Item(2).Reference().Text(), "Zwei");
    doc->Range(2, 2).InsertBefore("\ta\r\tb");  // tabs on both sides, inside a run
    WieFrischGelesen(*doc);
    doc->Range(0, 0).InsertBefore("Kopf\r");  // the text ends with the mark
    WieFrischGelesen(*doc);
    t.Cell(2, 1).Range().InsertAfter("mit Ortsbesichtigung\rTarifstelle 8.2.2");  // a cell's last paragraph
    WieFrischGelesen(*doc);
    EXPECT_EQ(t.Cell(2, 1).Range().Text(), "mit Ortsbesichtigung\rTarifstelle 8.2.2\r\a");
    EXPECT_EQ(doc->Comments().Item(1).Text(), "Punkt");
    GespeichertGleich(*doc);
}

TEST(WordCache, ZellenUndAnkerNachVielenKleinenAenderungen) {
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
    WieFrischGelesen(*doc);
    EXPECT_EQ(doc->Comments().Item(2).Reference().Text(), "kalStart");
    EXPECT_EQ(doc->Content().Text().find("vor kalStart hier"), doc->Comments().Item(2).Reference().Start() - 4);
    EXPECT_EQ(t.Cell(2, 2).Range().Comments().Item(1).Text(), "0");
    EXPECT_EQ(t.Cell(3, 1).Range().Text(), "[z3\ts1\r\a");
    GespeichertGleich(*doc);
}
