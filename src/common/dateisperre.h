// An exclusive lock that the processes of the component respect: flock on a lock file. The file is
// made when missing and removed by the holder that gives it up, so none stays behind; one a killed
// process left is simply taken (the system released the dead process's lock with it).
//
//     Dateisperre sperre(ordner / ".Rechnung.docx.vksperre", std::chrono::seconds(2));
//     ... read, change and replace the file the lock stands for ...
//
// Within one process the lock is shared: a second Dateisperre on the same file is granted at once,
// and the lock is given up when the last of them goes (a desktop host holds its open invoice and
// checks it in the same process).
#pragma once

#include <chrono>
#include <filesystem>
#include <string>

namespace vk {

class Dateisperre {
public:
    // Waits up to `wartezeit` while another process holds the lock, then raises run-time error 70
    // ("<lock file>: ... gesperrt"). Where the folder takes no lock file (no write access, a file
    // system without locks) no lock is held and nothing is raised: nothing can be saved there
    // either, and reading needs no lock.
    Dateisperre(std::filesystem::path datei, std::chrono::milliseconds wartezeit);
    ~Dateisperre();
    Dateisperre(const Dateisperre&) = delete;
    Dateisperre& operator=(const Dateisperre&) = delete;

    bool Gehalten() const noexcept { return gehalten_; }

private:
    std::string schluessel_;
    bool gehalten_ = false;
};

}  // namespace vk
