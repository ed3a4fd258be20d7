// Reading statement text without a parser: placeholders numbered for the server only where they are
// placeholders, the end of the first statement found past literals and comments, keywords seen
// only outside them.
#include <gtest/gtest.h>

#include "platform/dao/sqltext.h"

using namespace vk::dao::detail;

namespace {

TEST(SqlText, PlaceholdersAreNumberedOutsideLiteralsNamesAndComments) {
    auto n = PlatzhalterNummerieren("SELECT '?', \"a?\" FROM t WHERE x = ? -- why?\n AND y = ? /* ? */ AND z = E'\\'?' AND w = $$?$$");
    EXPECT_EQ(n.sql, "SELECT '?', \"a?\" FROM t WHERE x = $1 -- why?\n AND y = $2 /* ? */ AND z = E'\\'?' AND w = $$?$$");
    EXPECT_EQ(n.parameter, 2);
    EXPECT_FALSE(n.leer);
    EXPECT_EQ(n.weitererText, "");

    // A doubled quote stays inside the literal; brackets are no quotes on the server.
    n = PlatzhalterNummerieren("UPDATE t SET a = 'it''s ?', b = arr[?] WHERE id = ?;");
    EXPECT_EQ(n.sql, "UPDATE t SET a = 'it''s ?', b = arr[$1] WHERE id = $2");
    EXPECT_EQ(n.parameter, 2);
}

TEST(SqlText, TextAfterTheFirstStatementIsFound) {
    EXPECT_EQ(PlatzhalterNummerieren("SELECT 1; -- alle\n;  ").weitererText, "");
    EXPECT_EQ(PlatzhalterNummerieren("DELETE FROM t; DROP TABLE t").weitererText, "DROP TABLE t");
    EXPECT_EQ(PlatzhalterNummerieren("SELECT ';' ; SELECT 2").weitererText, "SELECT 2");
    EXPECT_EQ(PlatzhalterNummerieren("SELECT 1 /* ; */").weitererText, "");
    EXPECT_TRUE(PlatzhalterNummerieren(" ; -- nichts").leer);
    EXPECT_EQ(PlatzhalterNummerieren("; SELECT 1").weitererText, "") << "a leading semicolon ends no statement";
}

TEST(SqlText, WordsSkipLiteralsQuotedNamesAndComments) {
    const std::vector<std::string> erwartet = {"SELECT", "A", "FROM", "T", "WHERE", "AND", "B", "GROUP_CONCAT"};
    EXPECT_EQ(Woerter("select a, 'GROUP BY' FROM t -- UNION\n WHERE [count] = \"sum\" AND b /* DISTINCT */ = group_concat"),
              erwartet);
}

}  // namespace
