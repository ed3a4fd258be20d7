// One field of a recordset's current row: read its value, assign it between Edit and Update.
#pragma once

#include <cstddef>
#include <string>

#include "common/variant.h"

namespace vk::dao {

class Recordset;

// A handle on one column of a recordset; it reads and writes the recordset's current row.
class Field {
public:
    Field(Recordset& recordset, std::size_t spalte) : recordset_(&recordset), spalte_(spalte) {}

    const std::string& Name() const;
    // The value of the current row (during Edit: the value assigned so far). No current row: 3021.
    Variant Value() const;
    // Assigns a value during Edit (3020 without Edit); Update writes it.
    void SetValue(const Variant& wert);
    Field& operator=(const Variant& wert) {
        SetValue(wert);
        return *this;
    }

private:
    Recordset* recordset_;
    std::size_t spalte_;
};

}  // namespace vk::dao
