// The node-to-extent index of a story: growth, lookups of missing nodes, entries added after a
// lookup, reuse after clearing, and positions moved after an edit.
#include <gtest/gtest.h>

#include <random>
#include <set>
#include <stdexcept>

#include "platform/word/detail/knotenbereiche.h"

using vk::word::detail::KnotenBereiche;

TEST(WordKnotenBereiche, GrowAppendFindClear) {
    pugi::xml_document doc;
    std::vector<pugi::xml_node_struct*> knoten;
    for (int i = 0; i < 5000; ++i) knoten.push_back(doc.append_child("w:p").internal_object());
    for (const bool anhaengen : {true, false}) {
        SCOPED_TRACE(anhaengen ? "appended" : "through the index");
        KnotenBereiche b;
        EXPECT_TRUE(b.find(knoten[0]) == b.end());  // empty, no slots yet
        EXPECT_THROW(b.at(knoten[0]), std::out_of_range);
        for (int runde = 0; runde < 2; ++runde) {
            // every other node, grown from nothing the first time and into the kept memory the second,
            // looked up in between: every lookup sees all entries added before it
            for (std::size_t i = 0; i < knoten.size(); i += 2) {
                const KnotenBereiche::Bereich bereich{long(i), long(i) + runde + 1};
                if (anhaengen) b.Anhaengen(knoten[i], bereich);
                else b[knoten[i]] = bereich;
                if (i % 74 != 0 && i >= 40) continue;
                for (std::size_t j = 0; j <= i; j += 2) ASSERT_EQ(b.at(knoten[j]).first, long(j)) << i << " " << j;
                EXPECT_TRUE(b.find(knoten[i + 1]) == b.end()) << i;
            }
            ASSERT_EQ(b.size(), knoten.size() / 2);
            for (std::size_t i = 0; i < knoten.size(); ++i) {
                auto it = b.find(knoten[i]);
                if (i % 2) {
                    EXPECT_TRUE(it == b.end()) << i;
                } else {
                    ASSERT_TRUE(it != b.end()) << i;
                    EXPECT_EQ(it->first, knoten[i]);
                    EXPECT_EQ(b.at(knoten[i]), std::make_pair(long(i), long(i) + runde + 1));
                }
            }
            b[knoten[0]].second = 99;  // an existing entry is changed in place, not added again
            EXPECT_EQ(b.size(), knoten.size() / 2);
            EXPECT_EQ(b.begin()->second.second, 99);  // entries stay in the order they were added
            b.clear();
            EXPECT_EQ(b.size(), 0u);
            EXPECT_TRUE(b.find(knoten[0]) == b.end());
        }
    }
}

// Moving the positions after an edit visits only the entries that end there or later, and a table
// taken out removes only its own entries, yet every entry ends up as when all of them are visited:
// entries read in order, appended out of order (a block put into the middle), changed through the
// index, removed.
TEST(WordKnotenBereiche, ShiftingAsOverAllEntries) {
    pugi::xml_document doc;
    std::vector<pugi::xml_node_struct*> knoten;
    // more blocks put in than the list keeps out of order before it is put in order again
    for (int i = 0; i < 1200; ++i) knoten.push_back(doc.append_child("w:p").internal_object());
    std::mt19937 zufall(3);
    auto zahl = [&](long bis) { return std::uniform_int_distribution<long>(0, bis)(zufall); };
    KnotenBereiche b;
    std::vector<std::pair<pugi::xml_node_struct*, KnotenBereiche::Bereich>> modell;
    // read in order: paragraphs of 10 characters, ends rising
    for (std::size_t i = 0; i < 300; ++i) {
        b.Anhaengen(knoten[i], {long(i) * 10, long(i) * 10 + 10});
        modell.push_back({knoten[i], {long(i) * 10, long(i) * 10 + 10}});
    }
    std::size_t naechster = 300;
    auto verschieben = [&](long ab, auto aendern) {
        b.Verschieben(ab, aendern);
        for (auto& [k, bereich] : modell) aendern(bereich);
    };
    for (int schritt = 0; schritt < 1500; ++schritt) {
        const long p = zahl(3200), n = 1 + zahl(20);
        switch (zahl(4)) {
        case 0:  // text put in at p
            verschieben(p + 1, [p, n](KnotenBereiche::Bereich& x) {
                if (x.first > p) x.first += n;
                if (x.second > p) x.second += n;
            });
            break;
        case 1:  // text [p, p + n) cut out
            verschieben(p + 1, [p, n](KnotenBereiche::Bereich& x) {
                for (long* q : {&x.first, &x.second}) {
                    if (*q >= p + n) *q -= n;
                    else if (*q > p) *q = p;
                }
            });
            break;
        case 2:  // a block put in at p: its entry appended out of order
            verschieben(p, [p, n](KnotenBereiche::Bereich& x) {
                if (x.first >= p) x.first += n;
                if (x.second > p) x.second += n;
            });
            if (naechster < knoten.size()) {
                b.Anhaengen(knoten[naechster], {p, p + n});
                modell.push_back({knoten[naechster], {p, p + n}});
                ++naechster;
            }
            break;
        case 3: {  // an entry's end changed through the index
            auto& [k, bereich] = modell[static_cast<std::size_t>(zahl(static_cast<long>(modell.size()) - 1))];
            bereich.second += n;
            b[k].second += n;
            break;
        }
        default: {  // the entries within [p, p + 40) removed (a table taken out), one way or the other
            const long q = p + 40;
            std::erase_if(modell, [p, q](const auto& e) { return e.second.first >= p && e.second.second <= q && e.second.first < q; });
            if (zahl(1)) b.EntfernenIn(p, q);
            else b.EntfernenWenn([p, q](const KnotenBereiche::Eintrag& e) {
                return e.second.first >= p && e.second.second <= q && e.second.first < q;
            });
        }
        }
        std::set<pugi::xml_node_struct*> da;
        for (const auto& [k, bereich] : modell) {
            ASSERT_EQ(b.at(k), bereich) << schritt;
            da.insert(k);
        }
        for (std::size_t i = 0; i < naechster; ++i) {
            if (!da.count(knoten[i])) {
                ASSERT_TRUE(b.find(knoten[i]) == b.end()) << schritt << " " << i;
            }
        }
    }
}
