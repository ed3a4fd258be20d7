// Cached story streams after edits: an edit of one story must show in that story at once, the
// stories it leaves valid must still read what the document holds, and a stream kept up to date in
// place must equal a fresh reading of the XML and what the saved file reads back.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <random>
#include <unordered_map>

#include "platform/word/detail/kern.h"
#include "platform/word/detail/utf.h"
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
    // every mark at its place, and the marks in the same order (their numbers may differ)
    std::vector<std::pair<long, pugi::xml_node_struct*>> reihe, frischeReihe;
    const std::pair<const std::unordered_map<std::string, detail::Marke>*, const std::unordered_map<std::string, detail::Marke>*>
        karten[] = {{&c.kommentarStart, &frisch.kommentarStart},     {&c.kommentarEnde, &frisch.kommentarEnde},
                    {&c.kommentarReferenz, &frisch.kommentarReferenz}, {&c.textmarkeStart, &frisch.textmarkeStart},
                    {&c.textmarkeEnde, &frisch.textmarkeEnde}};
    for (const auto& [gehalten, gelesen] : karten) {
        EXPECT_EQ(gehalten->size(), gelesen->size());
        for (const auto& [id, m] : *gelesen) {
            ASSERT_EQ(gehalten->count(id), 1u) << id;
            EXPECT_EQ(gehalten->at(id).position, m.position) << id;
            EXPECT_EQ(gehalten->at(id).knoten, m.knoten) << id;
            reihe.emplace_back(gehalten->at(id).folge, m.knoten);
            frischeReihe.emplace_back(m.folge, m.knoten);
        }
    }
    std::sort(reihe.begin(), reihe.end());
    std::sort(frischeReihe.begin(), frischeReihe.end());
    for (std::size_t i = 0; i < reihe.size(); ++i) EXPECT_EQ(reihe[i].second, frischeReihe[i].second) << "mark " << i;
    for (const auto& [knoten, b] : frisch.bereiche) EXPECT_EQ(c.bereiche.at(knoten), b);
    EXPECT_EQ(c.absaetze, frisch.absaetze);
    EXPECT_EQ(c.tabellen, frisch.tabellen);
    EXPECT_EQ(c.zellen, frisch.zellen);
}

// Saved and opened again, the document reads the same text, tables and comment anchors.
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
    EXPECT_EQ(frisch->Tables().Count(), doc.Tables().Count());
}

// "Vorspann\rAnker eins\rAnker zwei\r" with a comment on each anchor paragraph.
std::shared_ptr<Document> MitZweiKommentaren() {
    auto doc = test::MitText("Vorspann\rAnker eins\rAnker zwei");
    doc->Comments().Add(doc->Range(9, 19), "erster");
    doc->Comments().Add(doc->Range(20, 30), "zweiter");
    return doc;
}

}  // namespace

// An edit of one story shows in it at once; the others still read what they hold (two comments, the
// main text, a text box).
TEST(WordCache, EachStoryShowsItsEditAtOnceAndTheOthersStay) {
    auto doc = MitZweiKommentaren();
    doc->Range(0, 0).Select();
    Shape box = doc->Shapes().AddTextbox(msoTextOrientationHorizontal, 70.5, 766.5, 450.75, 54);
    box.TextFrame().TextRange().InsertBefore("Zahlbar");
    ASSERT_EQ(box.TextFrame().TextRange().Text(), "Zahlbar\r");
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

    doc->Range(0, 0).InsertBefore("Betreff\r");
    EXPECT_EQ(doc->Content().Text(), "Betreff\rVorspann\rAnker eins\rAnker zwei\r");
    EXPECT_EQ(box.TextFrame().TextRange().Text(), "Zahlbar\r");
    box.TextFrame().TextRange().InsertAfter(" sofort");
    EXPECT_EQ(box.TextFrame().TextRange().Text(), "Zahlbar sofort\r");
    EXPECT_EQ(doc->Content().Text(), "Betreff\rVorspann\rAnker eins\rAnker zwei\r");
    EXPECT_EQ(eins.Text(), "Satz");
}

TEST(WordCache, InsertedMarksAreSeenAtTheNextReading) {
    auto doc = test::MitText("Alpha Beta Gamma");
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

// The document as a plain text: the paragraphs before a table of 2 × 2, the cells, and the anchors
// of the comments on the main text. Edits go to the model and to the document alike.
struct Modell {
    struct Anker {
        long start, ende;
        bool pruefen;  // false once the marks' order at one place decides the anchor (see Eingefuegt)
    };
    std::u32string haupt;                  // paragraphs before the table, each ending in "\r"
    std::vector<std::u32string> zellen;    // row by row
    std::map<std::string, Anker> anker;    // comment text -> anchor [start, ende)

    std::u32string Text() const {
        std::u32string t = haupt;
        for (std::size_t i = 0; i < zellen.size(); ++i) t += zellen[i] + (i % 2 ? U"\r\a\r\a" : U"\r\a");
        return t + U"\r";
    }
    long ZellStart(std::size_t zelle) const {
        long p = static_cast<long>(haupt.size());
        for (std::size_t i = 0; i < zelle; ++i) p += static_cast<long>(zellen[i].size()) + (i % 2 ? 4 : 2);
        return p;
    }
    // An insertion at p: an anchor starting there moves with the text, one ending there does not grow.
    // Where another anchor ends (or a point comment sits) at p as well, the order of their marks
    // decides; such a start is not checked any further.
    void Eingefuegt(long p, long n) {
        const bool endeBeiP = std::any_of(anker.begin(), anker.end(), [&](const auto& a) { return a.second.ende == p; });
        for (auto& [text, a] : anker) {
            if (endeBeiP && a.start == p && a.ende != p) a.pruefen = false;
            a.start = a.start >= p ? a.start + n : a.start;
            a.ende = a.ende > p ? a.ende + n : a.ende;
        }
    }
    // A deletion of [a, b): marks inside it go to a; an anchor left empty is a point from then on.
    void Geloescht(long a, long b) {
        auto f = [&](long x) { return x <= a ? x : (x >= b ? x - (b - a) : a); };
        for (auto& [text, x] : anker) {
            x = {f(x.start), f(x.ende), x.pruefen && f(x.start) < f(x.ende)};
        }
    }
};

// Random edits of every kind, from fixed seeds, on a document with runs, comments and a table:
// after each one the text must be the model's, every comment anchor the model's, and the cached
// stream a fresh reading's; at the end the saved file must read back the same.
TEST(WordCache, RandomEditsMatchTheModelAndAFreshReading) {
    const std::u32string einfuegbar[] = {U"xy", U"\u00e4", U"\r", U"\t", U"vor\rnach ", U"1.234,50 \u20ac", U"\ta\r\tb"};
    for (unsigned saat = 1; saat <= 20; ++saat) {
        SCOPED_TRACE("seed " + std::to_string(saat));
        std::mt19937 zufall(saat);
        auto zahl = [&](long von, long bis) { return std::uniform_int_distribution<long>(von, bis)(zufall); };
        auto doc = Document::New();
        Modell m{U"Eins zwei\tdrei vier\rF\u00fcnf sechs\rsieben\r", {U"", U"Zelle mit Text", U"", U""}, {}};
        doc->Content().InsertBefore(detail::NachUtf8(m.haupt.substr(0, m.haupt.size() - 1)));
        Range ende = doc->Content();
        ende.Collapse(wdCollapseEnd);
        Table t = doc->Tables().Add(ende, 2, 2);
        t.Cell(1, 2).Range().InsertAfter("Zelle mit Text");
        doc->Range(5, 9).SetBold(1);
        doc->Comments().Add(doc->Range(10, 14), "drei");
        doc->Comments().Add(doc->Range(20, 20), "Punkt");
        doc->Comments().Add(t.Cell(2, 2).Range(), "Zelle");
        m.anker = {{"drei", {10, 14, true}}, {"Punkt", {20, 20, false}}, {"Zelle", {m.ZellStart(3), m.ZellStart(3), false}}};
        int neueKommentare = 0;

        for (int schritt = 0; schritt < 150; ++schritt) {
            const long h = static_cast<long>(m.haupt.size());  // the last "\r" before the table stays
            const std::u32string text = einfuegbar[zahl(0, std::size(einfuegbar) - 1)];
            const long n = static_cast<long>(text.size());
            const long a = zahl(0, h - 1), b = std::min(h - 1, a + zahl(0, 6));
            const std::size_t z = static_cast<std::size_t>(zahl(0, 3));
            const long zs = m.ZellStart(z), zl = static_cast<long>(m.zellen[z].size());
            const long za = zahl(0, zl), zb = std::min(zl, za + zahl(0, 4));
            const long art = zahl(0, 11);
            SCOPED_TRACE("step " + std::to_string(schritt) + ": kind " + std::to_string(art) + ", main " +
                         std::to_string(a) + "-" + std::to_string(b) + ", cell " + std::to_string(z) + " " +
                         std::to_string(za) + "-" + std::to_string(zb) + ", text of " + std::to_string(n));
            switch (art) {
            case 0:  // text inserted in the main text
                doc->Range(a, a).InsertBefore(detail::NachUtf8(text));
                m.haupt.insert(a, text);
                m.Eingefuegt(a, n);
                break;
            case 1:  // characters deleted in the main text
                if (a == b) break;
                doc->Range(a, b).Delete();
                m.haupt.erase(a, b - a);
                m.Geloescht(a, b);
                break;
            case 2:  // the selection typed over
                doc->Range(a, b).Select();
                doc->Application()->Selection().TypeText(detail::NachUtf8(text));
                m.haupt.replace(a, b - a, text);
                if (a < b) m.Geloescht(a, b);
                m.Eingefuegt(a, n);
                break;
            case 3:  // a paragraph before a stretch
                doc->Range(a, b).InsertParagraphBefore();
                m.haupt.insert(a, U"\r");
                m.Eingefuegt(a, 1);
                break;
            case 4:  // text in a cell, at a place or appended
                if (zahl(0, 1)) {
                    doc->Range(zs + za, zs + za).InsertBefore(detail::NachUtf8(text));
                    m.zellen[z].insert(za, text);
                    m.Eingefuegt(zs + za, n);
                } else {
                    t.Cell(static_cast<long>(z / 2 + 1), static_cast<long>(z % 2 + 1)).Range().InsertAfter(detail::NachUtf8(text));
                    m.zellen[z] += text;
                    m.Eingefuegt(zs + zl, n);
                }
                break;
            case 5:  // characters deleted in a cell
                if (za == zb) break;
                doc->Range(zs + za, zs + zb).Delete();
                m.zellen[z].erase(za, zb - za);
                m.Geloescht(zs + za, zs + zb);
                break;
            case 6:  // bold, in the main text or a cell: runs are cut
                (zahl(0, 1) ? doc->Range(a, b) : doc->Range(zs + za, zs + zb)).SetBold(zahl(0, 1) ? 1 : 0);
                break;
            case 7:  // a run cut where nothing else changes
                doc->KernIntern()->LaufTrennen(kHaupttext, a);
                break;
            case 8: {  // a comment on a stretch or a point of the main text; its anchor ends before a
                       // paragraph mark that ends the stretch
                const std::string name = "k" + std::to_string(++neueKommentare);
                doc->Comments().Add(doc->Range(a, b), name);
                const long ende = b > a && m.haupt[b - 1] == U'\r' ? b - 1 : b;
                m.anker[name] = {a, ende, a < ende};
                break;
            }
            case 11: {  // a table added at a place of the main text (a paragraph split for it when the
                        // place lies inside one), written into, commented, and deleted again
                const long q0 = std::min(a, h - 2);  // not at the mark before the table: that needs a paragraph
                const long ps = q0 == 0 ? 0 : static_cast<long>(m.haupt.rfind(U'\r', q0 - 1) + 1);
                const long pe = static_cast<long>(m.haupt.find(U'\r', q0)) + 1;
                long q = ps;  // at a paragraph's start the table goes before it, at its mark after it
                if (q0 > ps && q0 >= pe - 1) {
                    q = pe;
                } else if (q0 > ps) {
                    m.haupt.insert(q0, U"\r");
                    m.Eingefuegt(q0, 1);
                    q = q0 + 1;
                }
                const long zeilen = zahl(1, 3), spalten = zahl(1, 3);
                std::u32string tabelle;
                for (long r = 0; r < zeilen; ++r) {
                    for (long sp = 0; sp < spalten; ++sp) tabelle += U"\r\a";
                    tabelle += U"\r\a";
                }
                Table neu = doc->Tables().Add(doc->Range(q0, q0), zeilen, spalten);
                std::u32string erwartet = m.Text();
                erwartet.insert(q, tabelle);
                // kept up to date in place, not read again: the stream stays valid throughout
                const detail::Story& haupt = doc->KernIntern()->story(kHaupttext);
                EXPECT_TRUE(haupt.gueltig);
                ASSERT_EQ(doc->Content().Text(), detail::NachUtf8(erwartet));
                WieFrischGelesen(*doc);
                neu.Cell(zeilen, spalten).Range().InsertAfter(detail::NachUtf8(text));
                doc->Comments().Add(neu.Cell(1, 1).Range(), "in der Tabelle");
                EXPECT_TRUE(haupt.gueltig && haupt.markenGueltig);
                WieFrischGelesen(*doc);
                neu.Delete();
                EXPECT_TRUE(haupt.gueltig && haupt.markenGueltig);
                break;
            }
            case 9:  // a comment removed
                if (doc->Comments().Count() > 0) {
                    Comment c = doc->Comments().Item(zahl(1, doc->Comments().Count()));
                    m.anker.erase(c.Text());
                    c.Delete();
                }
                break;
            default:  // a paragraph split by "\r" alone, at a place or in a cell
                doc->Range(zs + za, zs + za).InsertBefore("\r");
                m.zellen[z].insert(za, U"\r");
                m.Eingefuegt(zs + za, 1);
                break;
            }
            ASSERT_EQ(doc->Content().Text(), detail::NachUtf8(m.Text()));
            // Each comment still reads its own text (a new one may take a removed one's memory).
            ASSERT_EQ(doc->Comments().Count(), static_cast<long>(m.anker.size()));
            for (Comment c : doc->Comments()) EXPECT_EQ(m.anker.count(c.Text()), 1u) << c.Text();
            for (const auto& [name, anker] : m.anker) {
                if (!anker.pruefen) continue;
                Range ref;
                for (Comment c : doc->Comments())
                    if (c.Text() == name) ref = c.Reference();
                ASSERT_FALSE(ref.IstNothing()) << name;
                EXPECT_EQ(ref.Start(), anker.start) << name;
                EXPECT_EQ(ref.End(), anker.ende) << name;
            }
            WieFrischGelesen(*doc);
            if (HasFatalFailure() || HasNonfatalFailure()) return;
        }
        GespeichertGleich(*doc);
    }
}
