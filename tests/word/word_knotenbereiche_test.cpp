// The node-to-extent index of a story: growth, lookups of missing nodes, entries appended after
// a lookup, reuse after clearing.
#include <gtest/gtest.h>

#include <stdexcept>

#include "platform/word/detail/knotenbereiche.h"

using vk::word::detail::KnotenBereiche;

TEST(WordKnotenBereiche, WachsenFindenLeeren) {
    pugi::xml_document doc;
    std::vector<pugi::xml_node_struct*> knoten;
    for (int i = 0; i < 5000; ++i) knoten.push_back(doc.append_child("w:p").internal_object());

    KnotenBereiche b;
    EXPECT_TRUE(b.find(knoten[0]) == b.end());  // empty, no slots yet
    EXPECT_THROW(b.at(knoten[0]), std::out_of_range);
    for (int runde = 0; runde < 2; ++runde) {
        // every other node, grown from nothing the first time and into the kept memory the second
        for (std::size_t i = 0; i < knoten.size(); i += 2) b[knoten[i]] = {long(i), long(i) + runde + 1};
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

TEST(WordKnotenBereiche, AnhaengenNachEinerSuche) {
    pugi::xml_document doc;
    std::vector<pugi::xml_node_struct*> knoten;
    for (int i = 0; i < 300; ++i) knoten.push_back(doc.append_child("w:tc").internal_object());
    KnotenBereiche b;
    for (int runde = 0; runde < 2; ++runde) {
        // appended in steps, looked up in between: every lookup sees all entries appended before it
        for (std::size_t i = 0; i < knoten.size(); ++i) {
            b.Anhaengen(knoten[i], {long(i), long(i) + runde});
            if (i % 37 == 0 || i < 20) {
                for (std::size_t j = 0; j <= i; ++j) {
                    ASSERT_EQ(b.at(knoten[j]).first, long(j)) << i << " " << j;
                }
                if (i + 1 < knoten.size()) {
                    EXPECT_TRUE(b.find(knoten[i + 1]) == b.end()) << i;
                }
            }
        }
        b[knoten[5]] = {-1, -1};  // assignment through the index
        EXPECT_EQ(b.at(knoten[5]).first, -1);
        EXPECT_EQ(b.size(), knoten.size());
        b.clear();
        EXPECT_TRUE(b.find(knoten[5]) == b.end());
    }
}
