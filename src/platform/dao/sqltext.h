// Reading the text of an SQL statement without a parser: its words outside literals, quoted names
// and comments, the end of its first statement, and `?` placeholders numbered for a server that
// wants `$1`, `$2`, ... Both backends and the recordset use it.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace vk::dao::detail {

// The words (names and keywords) of the statement in order, in capitals, outside string literals,
// quoted names ("...", `...`, [...]) and comments.
std::vector<std::string> Woerter(std::string_view sql);

// The statement with each `?` outside literals, quoted names and comments replaced by `$1`, `$2`, ...
// in order, as PostgreSQL numbers its parameters.
struct Nummeriert {
    std::string sql;
    int parameter = 0;          // number of placeholders
    bool leer = true;           // nothing but blanks, semicolons and comments
    std::string weitererText;   // text after the end of the first statement, "" when there is none
};
Nummeriert PlatzhalterNummerieren(std::string_view sql);

// An SQL identifier in double quotes.
std::string Bezeichner(std::string_view name);

bool GleichOhneGross(std::string_view a, std::string_view b);

}  // namespace vk::dao::detail
