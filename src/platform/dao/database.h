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

    // Transactions: changes made between BeginTrans and CommitTrans become visible to others and
    // durable together, or not at all after Rollback. On a database file BeginTrans takes the write
    // lock at once (waiting up to the workspace's lock timeout, 3260 after it), so two writers queue
    // instead of failing half-way; on a server each row is locked when a statement writes it (and
    // that statement waits up to the lock timeout), so writers of different rows never wait for
    // each other. A statement that fails inside a transaction has no effect and the transaction
    // goes on, on both. A second BeginTrans while one is open gives 3034, CommitTrans or Rollback
    // without one 3034 too. Recordset::Update inside a transaction becomes part of it.
    void BeginTrans();
    void CommitTrans();
    void Rollback();
    bool InTransaction() const;

    // Closes the database; its recordsets become unusable (3420).
    void Close();
    const std::string& Name() const;

private:
    std::shared_ptr<detail::Verbindung> verbindung_;
    long betroffen_ = 0;
};

}  // namespace vk::dao
