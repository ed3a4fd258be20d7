// The workspace: opens office databases (SQLite files) for reading and writing.
#pragma once

#include <chrono>
#include <memory>
#include <string>
#include <vector>

#include "common/variant.h"

namespace vk::dao {

class Database;
namespace detail { class Verbindung; }

class Workspace : public Objekt {
public:
    // Opens an existing database file, shared with other users. A missing file is an error
    // (3024), never created; a file that is no database gives 3343, a locked one 3260.
    // readOnly opens it for reading only: every change then fails with 3027.
    std::shared_ptr<Database> OpenDatabase(const std::string& name, bool readOnly = false);

    // Closes every database opened in this workspace (their recordsets become unusable).
    void Close();

    // How long a statement waits for another user's lock before it fails with 3260.
    void SetLockTimeout(std::chrono::milliseconds wartezeit) { wartezeit_ = wartezeit; }
    std::chrono::milliseconds LockTimeout() const { return wartezeit_; }

private:
    std::chrono::milliseconds wartezeit_{2000};
    std::vector<std::weak_ptr<detail::Verbindung>> verbindungen_;
};

}  // namespace vk::dao
