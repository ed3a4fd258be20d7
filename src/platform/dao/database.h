// An open office database: queries as recordsets, statements that change data, Close.
#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "common/variant.h"

namespace vk::dao {

class Recordset;
namespace detail { class Verbindung; }

// Recordset types (the classic constants). Table and dynaset recordsets can be edited;
// snapshot and forward-only ones are read-only.
enum RecordsetTyp : int { dbOpenTable = 1, dbOpenDynaset = 2, dbOpenSnapshot = 4, dbOpenForwardOnly = 8 };

class Database : public Objekt {
public:
    explicit Database(std::shared_ptr<detail::Verbindung> verbindung);  // made by Workspace::OpenDatabase

    // Runs a query ("SELECT ...", or just a table name) and returns its rows. The statement runs
    // as written; values taken from data go into `?` placeholders through the overload with
    // parameters, so they can never change the statement.
    std::shared_ptr<Recordset> OpenRecordset(std::string_view statement, int type = dbOpenDynaset);
    std::shared_ptr<Recordset> OpenRecordset(std::string_view statement, const std::vector<Variant>& parameters,
                                             int type = dbOpenDynaset);

    // Runs one statement that changes data (INSERT, UPDATE, DELETE, CREATE ...); a query that
    // returns rows is refused (3065).
    void Execute(std::string_view statement);
    void Execute(std::string_view statement, const std::vector<Variant>& parameters);
    // Rows changed by the last Execute.
    long RecordsAffected() const { return betroffen_; }

    // Closes the database; its recordsets become unusable (3420).
    void Close();
    const std::string& Name() const;

private:
    std::shared_ptr<detail::Verbindung> verbindung_;
    long betroffen_ = 0;
};

}  // namespace vk::dao
