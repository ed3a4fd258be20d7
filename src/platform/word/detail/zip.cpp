#include "platform/word/detail/zip.h"

#include <libdeflate.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <memory>

namespace vk::word::detail {

namespace {

constexpr std::uint32_t kLokalerKopf = 0x04034b50, kZentralerEintrag = 0x02014b50, kEnde = 0x06054b50,
                        kEnde64 = 0x06064b50, kEnde64Verweis = 0x07064b50;
constexpr std::uint16_t kDatum1980 = (1 << 5) | 1;  // 1980-01-01, DOS format
constexpr std::uint16_t kUtf8Namen = 0x0800;

std::uint64_t Lesen(const std::string& b, std::uint64_t p, int n) {
    std::uint64_t v = 0;
    for (int i = n - 1; i >= 0; --i) v = (v << 8) | static_cast<unsigned char>(b[p + static_cast<std::uint64_t>(i)]);
    return v;
}

void Anhaengen(std::string& b, std::uint64_t v, int n) {
    for (int i = 0; i < n; ++i) b.push_back(static_cast<char>((v >> (8 * i)) & 0xff));
}

[[noreturn]] void KeinZip(const char* was) { throw ZipFehler(ZipFehler::Art::KeinZip, "", was); }

struct Entpacker {
    void operator()(libdeflate_decompressor* d) const noexcept { libdeflate_free_decompressor(d); }
};
struct Packer {
    void operator()(libdeflate_compressor* c) const noexcept { libdeflate_free_compressor(c); }
};

}  // namespace

ZipLeser::ZipLeser(std::string bytes) : bytes_(std::move(bytes)) {
    const std::string& b = bytes_;
    const std::uint64_t n = b.size();
    if (n < 22) KeinZip("zu kurz");
    // the end record: the last one whose comment reaches the end of the file
    std::uint64_t ende = n;
    for (std::uint64_t p = n - 22 + 1; p-- > 0 && n - p <= 22 + 65535;)
        if (Lesen(b, p, 4) == kEnde && p + 22 + Lesen(b, p + 20, 2) <= n) {
            ende = p;
            break;
        }
    if (ende == n) KeinZip("kein Verzeichnis");
    std::uint64_t anzahl = Lesen(b, ende + 10, 2), groesse = Lesen(b, ende + 12, 4), start = Lesen(b, ende + 16, 4);
    if (Lesen(b, ende + 4, 2) != 0 || Lesen(b, ende + 6, 2) != 0) KeinZip("mehrteilig");
    if (ende >= 20 && Lesen(b, ende - 20, 4) == kEnde64Verweis) {
        const std::uint64_t e64 = Lesen(b, ende - 12, 8);
        if (e64 > n || n - e64 < 56 || Lesen(b, e64, 4) != kEnde64) KeinZip("Zip64-Ende fehlt");
        anzahl = Lesen(b, e64 + 32, 8);
        groesse = Lesen(b, e64 + 40, 8);
        start = Lesen(b, e64 + 48, 8);
    }
    if (start > n || groesse > n - start || anzahl > groesse / 46) KeinZip("Verzeichnis außerhalb der Datei");
    eintraege_.reserve(anzahl);
    std::uint64_t p = start;
    for (std::uint64_t i = 0; i < anzahl; ++i) {
        if (start + groesse - p < 46 || Lesen(b, p, 4) != kZentralerEintrag) KeinZip("Verzeichnis beschädigt");
        ZipEintrag e;
        e.flags = static_cast<std::uint16_t>(Lesen(b, p + 8, 2));
        e.methode = static_cast<std::uint16_t>(Lesen(b, p + 10, 2));
        e.crc = static_cast<std::uint32_t>(Lesen(b, p + 16, 4));
        e.gepackt = Lesen(b, p + 20, 4);
        e.groesse = Lesen(b, p + 24, 4);
        const std::uint64_t name = Lesen(b, p + 28, 2), extra = Lesen(b, p + 30, 2), kommentar = Lesen(b, p + 32, 2);
        e.kopf = Lesen(b, p + 42, 4);
        if (start + groesse - p - 46 < name + extra + kommentar) KeinZip("Verzeichnis beschädigt");
        e.name.assign(b, p + 46, name);
        // Zip64: the sizes and the offset that do not fit 32 bits follow in an extra field
        for (std::uint64_t x = p + 46 + name; x + 4 <= p + 46 + name + extra;) {
            const std::uint64_t id = Lesen(b, x, 2), laenge = Lesen(b, x + 2, 2);
            if (x + 4 + laenge > p + 46 + name + extra) break;
            if (id == 1) {
                std::uint64_t q = x + 4;
                auto feld = [&](std::uint64_t& wert) {
                    if (wert != 0xffffffffu) return;
                    if (q + 8 > x + 4 + laenge) KeinZip("Zip64-Angaben fehlen");
                    wert = Lesen(b, q, 8);
                    q += 8;
                };
                feld(e.groesse);
                feld(e.gepackt);
                feld(e.kopf);
            }
            x += 4 + laenge;
        }
        p += 46 + name + extra + kommentar;
        if (e.kopf > n || n - e.kopf < 30 || Lesen(b, e.kopf, 4) != kLokalerKopf) KeinZip("Eintrag außerhalb der Datei");
        const std::uint64_t daten = e.kopf + 30 + Lesen(b, e.kopf + 26, 2) + Lesen(b, e.kopf + 28, 2);
        if (daten > n || e.gepackt > n - daten) KeinZip("Eintrag außerhalb der Datei");
        eintraege_.push_back(std::move(e));
    }
}

namespace {

void Entpacken(const std::string& name, std::uint16_t flags, std::uint16_t methode, std::uint32_t crc,
               std::string_view quelle, std::uint64_t groesse, std::string& ziel) {
    using Art = ZipFehler::Art;
    if (flags & 1) throw ZipFehler(Art::NichtUnterstuetzt, name, "verschlüsselt");
    if (methode != 0 && methode != 8) throw ZipFehler(Art::NichtUnterstuetzt, name, "Kompressionsmethode nicht unterstützt");
    if (methode == 0) {
        if (quelle.size() != groesse) throw ZipFehler(Art::Daten, name, "Größe falsch");
        ziel.assign(quelle);
    } else {
        // Deflate cannot expand beyond 1032 to 1: a larger size in the directory is a damaged (or
        // hostile) file, refused before memory of that size is taken.
        if (groesse / 1032 > quelle.size() + 1) throw ZipFehler(Art::Daten, name, "Größe falsch");
        static thread_local std::unique_ptr<libdeflate_decompressor, Entpacker> entpacker(libdeflate_alloc_decompressor());
        if (!entpacker) throw std::bad_alloc();
        ziel.resize(groesse);
        std::size_t tatsaechlich = 0;
        const libdeflate_result r = libdeflate_deflate_decompress(entpacker.get(), quelle.data(), quelle.size(),
                                                                  ziel.data(), ziel.size(), &tatsaechlich);
        if (r != LIBDEFLATE_SUCCESS || tatsaechlich != groesse) throw ZipFehler(Art::Daten, name, "Daten beschädigt");
    }
    if (libdeflate_crc32(0, ziel.data(), ziel.size()) != crc) throw ZipFehler(Art::Daten, name, "Prüfsumme falsch");
}

}  // namespace

void ZipLeser::Entpacken(const ZipEintrag& e, std::string& ziel) const {
    const std::uint64_t daten = e.kopf + 30 + Lesen(bytes_, e.kopf + 26, 2) + Lesen(bytes_, e.kopf + 28, 2);
    detail::Entpacken(e.name, e.flags, e.methode, e.crc, std::string_view(bytes_).substr(daten, e.gepackt), e.groesse,
                      ziel);
}

ZipRoh ZipLeser::Roh(const ZipEintrag& e) const {
    const std::uint64_t daten = e.kopf + 30 + Lesen(bytes_, e.kopf + 26, 2) + Lesen(bytes_, e.kopf + 28, 2);
    return ZipRoh{bytes_.substr(daten, e.gepackt), e.methode, e.crc, e.groesse, true};
}

void ZipEntpacken(const ZipRoh& roh, const std::string& name, std::string& ziel) {
    detail::Entpacken(name, 0, roh.methode, roh.crc, roh.daten, roh.groesse, ziel);
}

bool ZipSchreiben(int fd, const std::vector<ZipTeil>& eintraege) {
    // Fast compression: a saved invoice is written once per confirmation, and level 1 already packs
    // WordprocessingML to a sixth or less.
    static thread_local std::unique_ptr<libdeflate_compressor, Packer> packer(libdeflate_alloc_compressor(1));
    if (!packer) throw std::bad_alloc();
    std::string aus, verzeichnis;
    std::size_t gesamt = 22, groesster = 0;
    for (const ZipTeil& t : eintraege) {
        gesamt += 2 * (46 + t.name.size());
        if (t.roh) {
            gesamt += t.roh->daten.size();
        } else {
            gesamt += t.daten.size() / 4;
            groesster = std::max(groesster, t.daten.size() / 3 + 4096);
        }
    }
    aus.reserve(gesamt);
    // Packed into a buffer of its own, a third of the largest part: WordprocessingML packs to a
    // sixth or less, so the buffer is not the worst case the packer could need (as large as the
    // part), which would be fresh memory the process faults in for nothing. A part that does not
    // fit is packed again into a buffer of the worst-case size.
    std::unique_ptr<char[]> puffer(groesster ? new char[groesster] : nullptr);
    std::unique_ptr<char[]> grosserPuffer;
    for (const ZipTeil& t : eintraege) {
        std::string_view gepacktDaten;
        std::uint16_t methode = 8;
        std::uint32_t crc = 0;
        std::uint64_t groesse = 0;
        if (t.roh) {
            gepacktDaten = t.roh->daten;
            methode = t.roh->methode;
            crc = t.roh->crc;
            groesse = t.roh->groesse;
        } else {
            crc = libdeflate_crc32(0, t.daten.data(), t.daten.size());
            groesse = t.daten.size();
            const char* ziel = puffer.get();
            std::size_t n =
                libdeflate_deflate_compress(packer.get(), t.daten.data(), t.daten.size(), puffer.get(), groesster);
            if (n == 0) {
                const std::size_t grenze = libdeflate_deflate_compress_bound(packer.get(), t.daten.size());
                grosserPuffer.reset(new char[grenze]);
                n = libdeflate_deflate_compress(packer.get(), t.daten.data(), t.daten.size(), grosserPuffer.get(), grenze);
                ziel = grosserPuffer.get();
            }
            if (n == 0 || n >= t.daten.size()) {  // nothing gained: stored as it is
                methode = 0;
                gepacktDaten = t.daten;
            } else {
                gepacktDaten = std::string_view(ziel, n);
            }
        }
        const std::uint64_t kopf = aus.size();
        if (groesse >= 0xffffffffu || gepacktDaten.size() >= 0xffffffffu || kopf >= 0xffffffffu) {
            errno = EFBIG;
            return false;
        }
        std::uint16_t flags = 0;
        for (unsigned char z : t.name)
            if (z >= 0x80) flags = kUtf8Namen;
        std::string k;
        Anhaengen(k, 20, 2);  // version needed
        Anhaengen(k, flags, 2);
        Anhaengen(k, methode, 2);
        Anhaengen(k, 0, 2);  // 00:00
        Anhaengen(k, kDatum1980, 2);
        Anhaengen(k, crc, 4);
        Anhaengen(k, gepacktDaten.size(), 4);
        Anhaengen(k, groesse, 4);
        Anhaengen(k, t.name.size(), 2);
        Anhaengen(k, 0, 2);  // extra field
        Anhaengen(aus, kLokalerKopf, 4);
        aus += k;
        aus += t.name;
        aus += gepacktDaten;
        if (t.gepackt) *t.gepackt = ZipRoh{std::string(gepacktDaten), methode, crc, groesse, true};

        Anhaengen(verzeichnis, kZentralerEintrag, 4);
        Anhaengen(verzeichnis, 20, 2);  // version made by
        verzeichnis += k;
        Anhaengen(verzeichnis, 0, 2);  // comment
        Anhaengen(verzeichnis, 0, 2);  // disk
        Anhaengen(verzeichnis, 0, 2);  // internal attributes
        Anhaengen(verzeichnis, 0, 4);  // external attributes
        Anhaengen(verzeichnis, kopf, 4);
        verzeichnis += t.name;
    }
    const std::uint64_t start = aus.size();
    aus += verzeichnis;
    Anhaengen(aus, kEnde, 4);
    Anhaengen(aus, 0, 4);
    Anhaengen(aus, eintraege.size(), 2);
    Anhaengen(aus, eintraege.size(), 2);
    Anhaengen(aus, verzeichnis.size(), 4);
    Anhaengen(aus, start, 4);
    Anhaengen(aus, 0, 2);
    for (std::size_t geschrieben = 0; geschrieben < aus.size();) {
        const ssize_t r = ::write(fd, aus.data() + geschrieben, aus.size() - geschrieben);
        if (r < 0 && errno == EINTR) continue;
        if (r <= 0) {
            if (r == 0) errno = EIO;
            return false;
        }
        geschrieben += static_cast<std::size_t>(r);
    }
    return true;
}

}  // namespace vk::word::detail
