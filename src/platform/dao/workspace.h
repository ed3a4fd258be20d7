// The workspace: opens office databases, a SQLite file or a database on a PostgreSQL server, for
// reading and writing.
#pragma once

#include <chrono>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "common/variant.h"

namespace vk::dao {

class Database;
namespace detail { class Verbindung; }

// Whether a database name is a server address ("postgresql://..." or "postgres://...") rather
// than a file path.
bool IstServerAdresse(std::string_view name);
// The address without a password (in "user:password@" or a "password=" parameter): what the
// layer shows and logs of it. A password belongs in PGPASSWORD or ~/.pgpass.
std::string OhnePasswort(std::string_view adresse);

class Workspace : public Objekt {
public:
    // Opens an office database, shared with other users: a file path (SQLite) or a postgresql://
    // address (user@host:port/dbname, or /dbname?host=/run/postgresql for a local socket; the
    // password comes from PGPASSWORD or ~/.pgpass). A missing file is an error (3024), never
    // created; a file that is no database gives 3343, a locked one 3260; a server that cannot be
    // reached or refuses the login 3151, a missing server database 3024.
    // readOnly opens it for reading only: every change then fails with 3027.
    std::shared_ptr<Database> OpenDatabase(const std::string& name, bool readOnly = false);

    // Closes every database opened in this workspace (their recordsets become unusable).
    void Close();

    // How long a statement waits for another user's lock before it fails with 3260 (the busy
    // timeout of a file, the lock_timeout of a server session). Applies to databases opened later.
    void SetLockTimeout(std::chrono::milliseconds wartezeit) { wartezeit_ = wartezeit; }
    std::chrono::milliseconds LockTimeout() const { return wartezeit_; }

private:
    std::chrono::milliseconds wartezeit_{2000};
    std::vector<std::weak_ptr<detail::Verbindung>> verbindungen_;
};

}  // namespace vk::dao
