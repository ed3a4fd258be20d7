// Fault injection over the whole confirmation path. `vk apply` confirms one dialog of a category on
// the sample office, once per call of a platform layer: run k lets the k-th call of that layer fail
// the way a real failure of it does (the database locked or not to be opened, a document operation
// not available), k = 1, 2, ... until a run gets through without reaching the failing call.
//
// Each run is a forked child that calls the command itself, so a crash or an abort shows as a
// signal and the process-wide state (the one instance per form, the invoice context) starts fresh.
// Every run must end with exit status 0 and the injected failure in the error log, the way the
// component handles every failing statement. Exit status 2 is right only where `vk apply` itself
// reports the failure as an error: opening the invoice, the office database or the invoice record
// before the component runs (bad or unusable arguments), beginning the transaction, reading the
// user's settings, storing or committing the record or writing the file while saving (nothing is
// saved, the record is rolled back), and printing the tables after the save. Afterwards the invoice must open again and hold the category's fee table, unless the
// failure hit a document step that places, creates or tags that table (a failed statement has no
// effect, so the table is then missing or untagged); and a stored invoice record must agree with
// the saved invoice: its gross amount is the invoice's "Rechnungsbetrag" in cents. An invoice saved
// (exit status 0) always has its record stored, and is priced with the user's settings: a failure
// that keeps the record from its totals, or the user's settings from being read, is reported with
// exit status 2 and saves nothing.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <charconv>
#include <cmath>
#include <cstring>
#include <fstream>
#include <functional>
#include <iostream>
#include <optional>
#include <sstream>
#include <tuple>

#include "../document/rechnungsumfeld.h"
#include "befehle.h"
#include "common/fehlerprotokoll.h"
#include "common/nachricht.h"
#include "common/stoerstelle.h"
#include "component/beispieldatenbank.h"
#include "component/rechnungskontext.h"
#include "document/Beispielvorlage.h"
#include "document/G_frmTabelle.h"
#include "document/KV_WordAuto.h"
#include "platform/controls/fensterverwaltung.h"
#include "platform/controls/formen.h"
#include "platform/controls/mauszeiger.h"
#include "platform/word/document.h"

#if defined(__SANITIZE_ADDRESS__)
#include <sanitizer/lsan_interface.h>
#endif

namespace vktest {
namespace {

namespace fs = std::filesystem;

// A number as the database writes it, whatever the process locale.
double SqlZahl(const std::string& text) {
    double d = 0;
    std::from_chars(text.data(), text.data() + text.size(), d);
    return d;
}

// One cheap confirmation per category with the inputs a person would give, and its table's key;
// the last one on a final invoice, which deducts an advance invoice of the same order.
struct Bestaetigung {
    int kategorie;
    const char* schluessel;
    const char* eingaben;  // arguments separated by blanks
    bool schlussrechnung = false;
};

const Bestaetigung kBestaetigungen[] = {
    {0, "VK_LP_02_1", "--property Flurstücksnummer=123/4 --property Fläche=500 --property Bodenwert=25 --set MaskEdBoxGrenzpunkte=4"},
    {1, "VK_LP_02_2", "--property Bodenwert=25 --set msk100=7 --set chkVUnterlagen=1"},
    {2, "VK_LP_02_3", "--property Baukosten=200000 --set mskBrechpunkte=4"},
    {3, "VK_LP_08_4", "--property Flurstücksnummer=77 --property Achslänge=1200 --set GridGebühren(1,5)=2"},
    {4, "VK_LP_02_5", "--set chkOrt=1 --set mskMehrfach=2"},
    {5, "VK_LP_02_6", "--set GridGebühren(1,2)=2,25 --set unterlagenCheck=1"},
    {4, "VK_LP_02_5", "--set chkOrt=1 --set mskMehrfach=2", true},
};

enum class Schicht { Datenbank, Dokument };

// A call number no confirmation reaches: the run without a failure.
constexpr long kOhneFehler = 1'000'000'000;

const char* Name(Schicht s) { return s == Schicht::Datenbank ? "database" : "document"; }
void PrintTo(Schicht s, std::ostream* os) { *os << Name(s); }

struct Lauf {
    int signal = 0;       // the signal that ended the child, 0 when it exited
    int status = -1;      // its exit status
    std::string ausgabe;  // standard output and error of the command
    // What the child reports about the injected failure.
    bool bericht = false;  // the child got as far as writing it
    bool ausgeloest = false;
    std::string ort, meldung;
    bool komponente = false;  // the host had handed the document to the component
    long aufrufe = 0;         // calls of the layer counted
};

// The cell text without its end-of-cell mark.
std::string Zelle(vk::word::Table& t, long r, long c) {
    std::string s = t.Cell(r, c).Range().Text();
    return s.size() >= 2 ? s.substr(0, s.size() - 2) : s;
}

// The "Rechnungsbetrag" of the totals in cents (on a final invoice the last one, what remains after
// the advance invoices); none when the invoice shows none or its text ("   1.234,50 €") is no amount.
std::optional<long long> Rechnungsbetrag(vk::word::Document& doc) {
    std::optional<long long> betrag;
    for (vk::word::Table t : doc.Tables())
        for (long r = 1; r <= t.Rows().Count(); ++r)
            if (t.Rows().Item(r).CellCount() >= 4 && (Zelle(t, r, 1) == "Rechnungsbetrag" || Zelle(t, r, 2) == "Rechnungsbetrag")) {
                const std::string text = Zelle(t, r, 4);
                std::string ziffern;
                for (char ch : text)
                    if ((ch >= '0' && ch <= '9') || ch == '-') ziffern += ch;
                betrag.reset();
                if (text.find(',') != std::string::npos && !ziffern.empty() && ziffern != "-") betrag = std::stoll(ziffern);
            }
    return betrag;
}

// The procedure that logged the entry holding `meldung` ("frmKat5.CommandEnde_Click"), empty when
// the log does not hold it.
std::string GemeldetVon(const std::string& protokoll, const std::string& meldung) {
    const std::string ort = "Ort  : -KalDienste- ";
    const std::size_t p = protokoll.find(meldung), o = p == std::string::npos ? p : protokoll.find(ort, p);
    if (o == std::string::npos) return {};
    return protokoll.substr(o + ort.size(), protokoll.find("\r\n", o) - o - ort.size());
}

// The steps that place, create or tag a category's fee table: when one of them fails, the table
// is legitimately missing or untagged.
bool LegtTabelleAn(const std::string& prozedur) {
    return prozedur.ends_with(".CommandEnde_Click") || prozedur == "GebührenTabelle.EinfügestelleErmitteln" ||
           prozedur == "KV_WordAuto.BookmarkSetzen";
}

// Forks the runs from a small process made when a test starts, before its checks grow the heap:
// under AddressSanitizer a fork costs by the memory of the process forked.
class Startprozess {
public:
    // `kind` runs in each child with the call number given to Starten and must not return.
    explicit Startprozess(std::function<void(long)> kind) {
        if (::pipe(auftrag_) != 0 || ::pipe(antwort_) != 0) throw std::runtime_error("pipe failed");
        std::cout.flush();
        std::cerr.flush();
        pid_ = ::fork();
        if (pid_ < 0) throw std::runtime_error("fork failed");
        if (pid_ == 0) {
            ::close(auftrag_[1]);
            ::close(antwort_[0]);
            for (long k; ::read(auftrag_[0], &k, sizeof k) == sizeof k;) {
                const pid_t p = ::fork();
                if (p == 0) kind(k);
                int status = -1;
                if (p > 0) ::waitpid(p, &status, 0);
                if (::write(antwort_[1], &status, sizeof status) != sizeof status) break;
            }
            ::_exit(0);
        }
        ::close(auftrag_[0]);
        ::close(antwort_[1]);
    }
    ~Startprozess() {
        ::close(auftrag_[1]);
        ::close(antwort_[0]);
        ::waitpid(pid_, nullptr, 0);
    }
    Startprozess(const Startprozess&) = delete;
    Startprozess& operator=(const Startprozess&) = delete;

    // Runs one child and returns its wait status.
    int Starten(long k) {
        int status = -1;
        if (::write(auftrag_[1], &k, sizeof k) != sizeof k || ::read(antwort_[0], &status, sizeof status) != sizeof status)
            throw std::runtime_error("the process that starts the runs is gone");
        return status;
    }

private:
    int auftrag_[2] = {-1, -1}, antwort_[2] = {-1, -1};
    pid_t pid_ = -1;
};

class Stoerstellen : public ::testing::TestWithParam<std::tuple<Schicht, int>> {
protected:
    // The sample office and invoice template are built once; every run works on fresh copies.
    static void SetUpTestSuite() {
        buero_ = new TempOrdner;
        vk::BeispielDatenbankAnlegen(*buero_ / "buero.sqlite");
        fs::copy_file(*buero_ / "buero.sqlite", *buero_ / "schluss.sqlite");
        Roh(*buero_ / "schluss.sqlite")
            .Sql("UPDATE Rechnung SET Rechnungsart = 4 WHERE ID_Rechnungsnummer = 1;"
                 "INSERT INTO Rechnung (ID_Rechnungsnummer, ID_Auftragsnummer, Rechnungsart, Rechnungsnummer, "
                 "NettoRechnung, Brutto, MehrwertsteuerFreierbetrag, Mehrwertsteuersatz) "
                 "VALUES (2, 1, 5, '2026-000', 10000, 11900, 0, 190);"
                 "INSERT INTO Termine (ID_Rechnungsnummer, ID_Terminart, Datum) VALUES (2, 8, '2026-10-01')");
        vk::BeispielVorlage()->Save(*buero_ / "Vorlage.docx");
        vorlage_ = DateiLesen(*buero_ / "Vorlage.docx");
    }
    static void TearDownTestSuite() {
        delete buero_;
        buero_ = nullptr;
    }

    // Run k in its own folder: the office copied, the command run in a child with the k-th call failing.
    Lauf Ausfuehren(Startprozess& start, const Bestaetigung& b, long k, const fs::path& ordner) {
        fs::create_directories(ordner / "log");
        fs::copy_file(*buero_ / (b.schlussrechnung ? "schluss.sqlite" : "buero.sqlite"), ordner / "buero.sqlite");
        fs::copy_file(*buero_ / "Vorlage.docx", ordner / "Rechnung.docx");
        const int status = start.Starten(k);
        Lauf l;
        if (WIFSIGNALED(status)) l.signal = WTERMSIG(status);
        else l.status = WEXITSTATUS(status);
        l.ausgabe = DateiLesen(ordner / "ausgabe.txt");
        std::ifstream in(ordner / "bericht.txt");
        std::string z[5];
        for (std::string& zeile : z) std::getline(in, zeile);
        if (!z[0].empty()) std::tie(l.bericht, l.ausgeloest, l.ort, l.meldung, l.komponente, l.aufrufe) =
            std::tuple(true, z[0] == "1", z[1], z[2], z[3] == "1", std::atol(z[4].c_str()));
        return l;
    }

    // The child of run k in `ordner`: the command as `vk` runs it (main's handling of errors
    // included), then _exit.
    [[noreturn]] static void Kind(Schicht schicht, const Bestaetigung& b, long k, const fs::path& ordner) {
        std::vector<std::string> args = {"--db", (ordner / "buero.sqlite").string(), "--user", "1", "--invoice", "1",
                                         "--doc", (ordner / "Rechnung.docx").string(), "--category", std::to_string(b.kategorie)};
        std::istringstream eingaben(b.eingaben);
        for (std::string a; eingaben >> a;) args.push_back(a);
        ::alarm(120);  // a run that hangs ends with SIGALRM
        const int fd = ::open((ordner / "ausgabe.txt").c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        ::dup2(fd, 1);
        ::dup2(fd, 2);
        ::close(fd);
        ::setenv("VK_LOG_DIR", (ordner / "log").c_str(), 1);
        vk::ui::Formen::AlleEntladen();
        vk::KontextZuruecksetzen();
        vk::TabellenIndex() = 0;
        vk::G_frmTabelle::ModalHandlerSetzen(nullptr);
        vk::ui::StandardBildschirm().Zurücksetzen();
        vk::ui::StandardFensterverwaltung().Zurücksetzen();
        vk::StandardNachrichten().Zuruecksetzen();
        vk::LetztenFehlerZuruecksetzen();

        vk::Stoerstelle& zaehler = schicht == Schicht::Datenbank ? vk::DatenbankStoerung : vk::DokumentStoerung;
        zaehler.Scharf(k);
        int status = 0;
        try {
            status = vkcli::BefehlApply(args);
        } catch (const vkcli::Aufruffehler& f) {
            std::cerr << "vk: " << f.meldung << '\n';
            status = 2;
        } catch (const std::exception& e) {
            std::cerr << "vk: " << e.what() << '\n';
            status = 2;
        }
        zaehler.Aus();
#if defined(__SANITIZE_ADDRESS__)
        // Memory a failed statement left without an owner is a finding too (exit status 3). The check
        // costs as much as a run: it follows each database failure (C handles of the database
        // engine) and the run without a failure; a document call fails before it allocates.
        if ((schicht == Schicht::Datenbank || k == kOhneFehler) && __lsan_do_recoverable_leak_check() != 0) status = 3;
#endif
        std::ofstream(ordner / "bericht.txt") << (zaehler.Ausgeloest() ? "1" : "0") << '\n' << zaehler.Ort() << '\n'
                                              << zaehler.Meldung() << '\n' << (vk::Kontext().Doc ? "1" : "0") << '\n'
                                              << zaehler.Aufrufe() << '\n';
        std::cout.flush();
        std::cerr.flush();
        ::_exit(status);
    }

    // Checks one run; returns false when the run failed its checks.
    bool Pruefen(Schicht schicht, const Bestaetigung& b, long k, const fs::path& ordner, const Lauf& l) {
        const std::string wo = std::string(Name(schicht)) + " call " + std::to_string(k) +
                               (l.ausgeloest ? " (" + l.ort + ")" : "") + " failing, category " + std::to_string(b.kategorie) + ":\n";
        const auto teile = [] { return ::testing::UnitTest::GetInstance()->current_test_info()->result()->total_part_count(); };
        const int fehlerVorher = teile();

        const std::string protokoll = DateiLesen(ordner / "log" / "Verw.log");
        if (l.signal != 0 || !l.bericht) {
            ADD_FAILURE() << wo << (l.signal ? "ended by signal " + std::to_string(l.signal) + " (" + ::strsignal(l.signal) + ")"
                                             : "ended with status " + std::to_string(l.status) + " before it finished")
                          << "\n" << l.ausgabe << "\nlog:\n" << protokoll;
            return false;
        }
        const bool gespeichert = DateiLesen(ordner / "Rechnung.docx") != vorlage_;
        const std::string brutto = Roh(ordner / "buero.sqlite").Text("SELECT Brutto FROM Rechnung WHERE ID_Rechnungsnummer = 1");

        if (!l.ausgeloest) {
            // The run without a failure: the baseline everything else is compared with.
            EXPECT_EQ(l.status, 0) << wo << l.ausgabe;
            EXPECT_EQ(protokoll, "") << wo << "a run without failures logs nothing";
            EXPECT_TRUE(gespeichert) << wo << l.ausgabe;
            EXPECT_NE(brutto, "NULL") << wo << "the totals were not stored";
        } else if (l.status == 2) {
            // Only a failure vk apply reports itself, and then that very failure: before the
            // component runs, the user's settings not read, the record not stored or not committed,
            // the file not written; or printing the tables of the saved invoice.
            const std::string nichts = "vk: apply: Nichts wurde gespeichert: ";
            EXPECT_TRUE((!l.komponente && l.ausgabe == "vk: apply: " + l.meldung + "\n") ||
                        l.ausgabe == nichts + l.meldung + "\n" ||
                        l.ausgabe == nichts + "Die Einstellungen des Benutzers 1 sind nicht zu lesen: " + l.meldung + "\n" ||
                        (gespeichert && l.ausgabe == std::string(kDruckFehler) + l.meldung + "\n"))
                << wo << "a failure escaped the component:\n" << l.ausgabe;
        } else {
            EXPECT_EQ(l.status, 0) << wo << l.ausgabe;
            EXPECT_NE(protokoll.find(l.meldung), std::string::npos) << wo << "not in the log:\n" << l.meldung << "\n" << protokoll;
            EXPECT_TRUE(gespeichert) << wo << "the invoice was not saved\n" << l.ausgabe;
        }

        if (!gespeichert) {
            // Nothing saved: the record did not change either.
            EXPECT_EQ(brutto, "NULL") << wo << "the record was stored, the invoice was not";
            return teile() == fehlerVorher;
        }
        std::shared_ptr<vk::word::Document> doc;
        try {
            doc = vk::word::Document::Open(ordner / "Rechnung.docx");
        } catch (const std::exception& e) {
            ADD_FAILURE() << wo << "the saved invoice does not open again: " << e.what();
            return false;
        }
        const bool dokumentFehler = schicht == Schicht::Dokument && l.ausgeloest;
        const std::string gemeldetVon = GemeldetVon(protokoll, l.meldung);
        EXPECT_TRUE((dokumentFehler && LegtTabelleAn(gemeldetVon)) || TabellenMit(*doc, b.schluessel) >= 1)
            << wo << "the fee table " << b.schluessel << " is missing\n" << protokoll;
        // Only a failed step of the totals may leave them without their amount (a failure escaping
        // to the dialog's "&OK" would skip the totals altogether); where there is one, the record agrees.
        const std::optional<long long> betrag = Rechnungsbetrag(*doc);
        EXPECT_TRUE(dokumentFehler ? betrag || gemeldetVon.starts_with("GebührenTabelle.") : betrag && *betrag != 0)
            << wo << "no Rechnungsbetrag in the invoice\n" << protokoll;
        EXPECT_TRUE(brutto == "NULL" || !betrag || std::llround(SqlZahl(brutto)) == *betrag) << wo << "record and invoice disagree";
        // A saved invoice has its totals in the record, priced with the user's settings (19 % VAT).
        EXPECT_TRUE(l.status != 0 || brutto != "NULL") << wo << "the invoice was saved, its totals were not stored\n" << protokoll;
        EXPECT_TRUE(l.status != 0 || dokumentFehler || doc->Content().Text().find("Mehrwertsteuer 19 %") != std::string::npos)
            << wo << "priced without the user's VAT rate\n" << protokoll;
        return teile() == fehlerVorher;
    }

    // How vk apply reports a failure that hits printing the tables after the save.
    static constexpr const char* kDruckFehler = "vk: apply: die Rechnung ist gespeichert, aber ihre Tabellen lassen sich nicht ausgeben: ";
    static inline TempOrdner* buero_ = nullptr;
    static inline std::string vorlage_;
};

// Where the runs work: in memory when the machine has a tmpfs (saving syncs every file to disk).
fs::path Laufordner() {
    std::error_code ec;
    if (fs::is_directory("/dev/shm", ec) && ::access("/dev/shm", W_OK) == 0) return "/dev/shm";
    return fs::temp_directory_path();
}

#if defined(__SANITIZE_ADDRESS__)
// Under AddressSanitizer a run costs about ten times as much: there the document layer's calls are
// taken in steps of four, each category starting at another one, so that together they still
// reach every kind of call of the confirmation. Every database call fails in its turn in either build.
constexpr long kDokumentSchritt = 4;
#else
constexpr long kDokumentSchritt = 1;
#endif

TEST_P(Stoerstellen, EveryFailingCallIsLoggedAndSkipped) {
    const auto [schicht, index] = GetParam();
    const Bestaetigung& b = kBestaetigungen[index];
    const long schritt = schicht == Schicht::Dokument ? kDokumentSchritt : 1;
    TempOrdner laeufe(Laufordner());
    Startprozess start([&](long k) { Kind(schicht, b, k, laeufe / std::to_string(k)); });
    int fehlschlaege = 0;
    long laeufeGesamt = 0, druckAb = 0;
    for (long k = 1 + index % schritt;;) {
        const fs::path ordner = laeufe / std::to_string(k);
        const Lauf l = Ausfuehren(start, b, k, ordner);
        ++laeufeGesamt;
        if (!Pruefen(schicht, b, k, ordner, l) && ++fehlschlaege == 5) {
            ADD_FAILURE() << "stopped after five failed runs";
            break;
        }
        fs::remove_all(ordner);
        if (l.bericht && !l.ausgeloest) {
            std::cout << "category " << b.kategorie << (b.schlussrechnung ? " (final invoice)" : "") << ": " << l.aufrufe
                      << " calls" << (druckAb ? ", printing the tables from call " + std::to_string(druckAb) : "") << ", "
                      << laeufeGesamt << " runs\n";
            break;
        }
        // Once the invoice is saved, every later call prints its tables, and a failure there is
        // reported the same way whichever call it hits: the run without a failure comes next.
        if (l.status == 2 && l.ausgabe.starts_with(kDruckFehler)) {
            druckAb = k;
            k = kOhneFehler;
        } else {
            k += schritt;
        }
        ASSERT_TRUE(k < 5000 || k == kOhneFehler) << "the confirmation never gets through";
    }
}

INSTANTIATE_TEST_SUITE_P(Bestaetigung, Stoerstellen,
                         ::testing::Combine(::testing::Values(Schicht::Datenbank, Schicht::Dokument), ::testing::Range(0, 7)),
                         [](const auto& info) {
                             const Bestaetigung& b = kBestaetigungen[std::get<1>(info.param)];
                             return std::string(std::get<0>(info.param) == Schicht::Datenbank ? "Datenbank" : "Dokument") +
                                    "_Kategorie" + std::to_string(b.kategorie) + (b.schlussrechnung ? "_Schlussrechnung" : "");
                         });

// The facility itself: the k-th call fails once, with the call named, and the counter is off after.
TEST(Stoerstelle, FailsTheKthCallOnceThenIsOff) {
    auto doc = vk::word::Document::New();
    vk::word::Range r = doc->Content();
    vk::DokumentStoerung.Scharf(3);
    EXPECT_NO_THROW(r.InsertAfter("a"));
    std::string vorher;
    EXPECT_NO_THROW(vorher = r.Text());
    const Fehlerbild f = FehlerVon([&] { r.InsertAfter("b"); });
    EXPECT_EQ(f.nummer, 4605) << "0: the third call did not fail";
    EXPECT_NE(f.beschreibung.find("Range.InsertAfter"), std::string::npos) << f.beschreibung;
    EXPECT_TRUE(vk::DokumentStoerung.Ausgeloest());
    EXPECT_EQ(vk::DokumentStoerung.Ort(), "Range.InsertAfter");
    EXPECT_EQ(vk::DokumentStoerung.Aufrufe(), 3);
    EXPECT_EQ(r.Text(), vorher) << "the failed call changed the document";
    r.InsertAfter("c");
    EXPECT_NE(r.Text(), vorher) << "the counter is still on";

    vk::DokumentStoerung.Scharf(0);
    EXPECT_NO_THROW(r.InsertAfter("d"));
    EXPECT_FALSE(vk::DokumentStoerung.Ausgeloest());
}

}  // namespace
}  // namespace vktest
