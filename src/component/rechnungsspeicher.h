// An invoice file and its record saved together, among several programs and against a kill at any
// moment.
//
// The lock: every program that reads an invoice to change it (vk apply, vk-host) or to prove it
// (vk check) holds the invoice from before it reads the document until the new one has replaced it:
// a lock file beside the invoice (".Rechnung.docx.vksperre", gone when the last holder lets go). A
// second confirmation waits for the first and then works on its result. On a server the record's
// row is locked as well (DatensatzSperren), for invoices whose record two documents share.
//
// The save (RechnungSpeichern): the new document goes to a file beside the invoice and is synced;
// the old one is kept beside it under a second name; a journal beside the invoice
// (".Rechnung.docx.vkjournal", synced) notes both files, the database and what the invoice record
// holds in the open transaction; then the new file replaces the invoice and the transaction
// commits; then the kept file and the journal go. A commit that fails puts the old file back. A
// failure before the replace leaves both as they were.
//
// A kill between the journal and its removal leaves the journal. The next program that takes the
// lock finishes or undoes that save: the record holds what the journal says (the commit happened)
// -> the new file is the invoice (renamed into place if the kill came before the replace); it does
// not -> the old file is the invoice again. Either way file and record agree afterwards.
#pragma once

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>

#include "common/dateisperre.h"
#include "platform/dao/database.h"
#include "platform/word/document.h"

namespace vk {

// How long a program waits for another one holding the invoice (as long as for a locked record).
inline constexpr std::chrono::milliseconds kRechnungWartezeit{2000};

class Rechnungssperre {
public:
    // Takes the lock on the invoice (through links: on the file they point to). After `wartezeit`
    // held by another program: run-time error 70 naming the invoice. Then finishes or undoes a save
    // a killed program left, reading the record from the database its journal names (`datenbank`,
    // the address the caller opens, is used where it names the same database: it may carry what
    // the journal leaves out); a journal that cannot be resolved raises an error naming the invoice
    // and stays for the next run. Then removes the temporary files earlier saves left.
    explicit Rechnungssperre(const std::filesystem::path& dokument, const std::string& datenbank = {},
                             std::chrono::milliseconds wartezeit = kRechnungWartezeit);

    // What was done about an interrupted save, as a person reads it; "" when there was none.
    const std::string& Hinweis() const { return hinweis_; }

private:
    std::unique_ptr<Dateisperre> sperre_;
    std::string hinweis_;
};

// Locks the invoice record's row for the open transaction: on a server with SELECT ... FOR UPDATE
// (waiting up to the lock timeout, then 3260); a database file is locked whole by BeginTrans.
void DatensatzSperren(dao::Database& db, std::int32_t rechnung);

// Saves the document as the invoice `ziel` with its record: `festschreiben` commits the transaction
// holding the record's changes once the new file has replaced the old one (see above). `db` and
// `rechnung` name the record (db null: no record goes with the file). The caller holds the
// Rechnungssperre of `ziel`. An invoice a word processor has open (its lock file beside it) is not
// saved: error 70 naming the lock file. Throws what failed; file and record are then as they were.
void RechnungSpeichern(word::Document& doc, const std::filesystem::path& ziel, dao::Database* db,
                       std::int32_t rechnung, const std::function<void()>& festschreiben);

}  // namespace vk
