// The zip container of a package: the entries of a zip file read from its central directory and
// unpacked, and entries written to a new zip file, compressed with libdeflate.
//
// Written entries carry the time stamp 1980-01-01 00:00 (as word processors write them), so saving
// the same parts gives the same file.
#pragma once

#include <cstdint>
#include <functional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace vk::word::detail {

// Why a zip cannot be read: the container itself (not a zip, cut short, inconsistent), or one entry.
struct ZipFehler : std::runtime_error {
    enum class Art { KeinZip, Eintrag, Daten, NichtUnterstuetzt } art;
    std::string eintrag;  // the entry's name, for Eintrag / Daten / NichtUnterstuetzt
    ZipFehler(Art a, std::string name, const std::string& text) : std::runtime_error(text), art(a), eintrag(std::move(name)) {}
};

// One entry as the central directory describes it.
struct ZipEintrag {
    std::string name;
    std::uint16_t methode = 0;  // 0 stored, 8 deflated
    std::uint16_t flags = 0;
    std::uint32_t crc = 0;
    std::uint64_t gepackt = 0;    // compressed size
    std::uint64_t groesse = 0;    // unpacked size
    std::uint64_t kopf = 0;       // offset of the local header
};

// An entry's data as the zip holds it (packed), with what is needed to write it again unchanged.
struct ZipRoh {
    std::string daten;
    std::uint16_t methode = 0;
    std::uint32_t crc = 0;
    std::uint64_t groesse = 0;
    bool da = false;
};

// Unpacks packed data into `ziel`; ZipFehler as ZipLeser::Entpacken.
void ZipEntpacken(const ZipRoh& roh, const std::string& name, std::string& ziel);

// A zip file held in memory.
class ZipLeser {
public:
    // Reads the central directory of the bytes; ZipFehler(KeinZip) when there is none.
    explicit ZipLeser(std::string bytes);
    const std::vector<ZipEintrag>& Eintraege() const { return eintraege_; }
    // Unpacks an entry into `ziel` (resized to its size); ZipFehler when its data is damaged (wrong
    // size or checksum) or it is encrypted or packed by a method other than store or deflate.
    void Entpacken(const ZipEintrag& eintrag, std::string& ziel) const;
    // The entry's packed data, to be written again as it is.
    ZipRoh Roh(const ZipEintrag& eintrag) const;

private:
    std::string bytes_;
    std::vector<ZipEintrag> eintraege_;
};

// One entry to write: its bytes, deflated on the way, or its packed data copied as it is (roh);
// `gepackt`, when given, receives what was written, for writing it again unchanged later.
struct ZipTeil {
    std::string_view name;
    std::string_view daten;
    const ZipRoh* roh = nullptr;
    ZipRoh* gepackt = nullptr;
};

// Writes the entries as a zip file to the open descriptor; returns false with errno set when a
// write fails.
bool ZipSchreiben(int fd, const std::vector<ZipTeil>& eintraege);

}  // namespace vk::word::detail
