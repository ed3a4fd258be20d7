// The rows of a query: navigation, field values, and Edit / Update of the current row.
//
// The rows are read when the recordset opens, so no lock stays on the database while the
// recordset is open. A recordset over one table can be edited: Update writes the assigned fields
// of the current row in one transaction and finds that row again by its key (the table's primary
// key, or the backend's row id for a table without one), never by its values.
#pragma once

// <cstdio> defines EOF as a macro, which would swallow Recordset::EOF(); it is included here first
// and the macro removed. Code that needs the end-of-file value uses std::char_traits<char>::eof().
#include <cstdio>
#undef EOF

#include <cstddef>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "common/variant.h"
#include "platform/dao/field.h"
#include "platform/dao/verbindung.h"

namespace vk::dao {

class Recordset : public Objekt {
public:
    // Opened through Database::OpenRecordset.
    Recordset(std::shared_ptr<detail::Verbindung> verbindung, std::string_view statement,
              const std::vector<Variant>& parameters, int type);

    // Before the first / after the last row; both true when there is no row.
    bool BOF() const;
    bool EOF() const;
    // Navigation; moving from EOF (MoveNext) or BOF (MovePrevious), or in an empty recordset, gives 3021.
    void MoveFirst();
    void MoveLast();
    void MoveNext();
    void MovePrevious();
    // Number of rows of the recordset.
    long RecordCount() const;

    // The field of that name (case does not matter); an unknown name gives 3265 naming it.
    Field Fields(std::string_view name);
    Field Fields(int index);
    int FieldCount() const;

    // Starts changing the current row (3021 without one, 3027 when the recordset is read-only).
    void Edit();
    // Writes the assigned fields of the current row in one transaction (3020 without Edit). On
    // failure the assigned values stay pending, so Update can be retried or CancelUpdate called.
    void Update();
    void CancelUpdate();
    // Whether Edit is possible (a table or dynaset recordset whose rows have a key).
    bool Updatable() const;

    void Close();

    // Used by Field.
    const std::string& SpaltenName(std::size_t spalte) const;
    Variant Wert(std::size_t spalte) const;
    void WertSetzen(std::size_t spalte, const Variant& wert);

private:
    struct Zeile {
        std::vector<Variant> werte;
        std::vector<Variant> schluessel;  // the primary key values, or the row id
    };

    void Lesen(std::string_view statement, const std::vector<Variant>& parameters);
    std::unique_ptr<detail::Anweisung> SchluesselFinden(std::string_view sql, std::vector<int>& schluesselIndex);
    void Pruefen() const;
    const Zeile& Aktuell() const;
    std::size_t SpalteSuchen(std::string_view name) const;

    std::shared_ptr<detail::Verbindung> verbindung_;
    int typ_;
    bool geschlossen_ = false;
    std::vector<detail::Spalteninfo> spalten_;
    std::vector<Zeile> zeilen_;
    long position_ = 0;  // -1 BOF, zeilen_.size() EOF

    // Editing: the table rows are written to, its key columns, and the values assigned so far.
    std::string schema_, tabelle_;
    std::vector<std::string> schluesselSpalten_;  // the primary key columns, or the row id, as SQL
    bool bearbeiten_ = false;
    std::map<std::size_t, Variant> geaendert_;
};

}  // namespace vk::dao
