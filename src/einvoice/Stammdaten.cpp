#include "einvoice/Stammdaten.h"

#include <memory>

#include "common/fehler.h"
#include "common/konvertierung.h"
#include "einvoice/Ascii.h"
#include "platform/dao/daofehler.h"
#include "platform/dao/recordset.h"

namespace vk::erechnung {
namespace {

std::string Getrimmt(std::string text) {
    const auto a = text.find_first_not_of(" \t\r\n");
    if (a == std::string::npos) return "";
    return text.substr(a, text.find_last_not_of(" \t\r\n") - a + 1);
}

std::string Feld(dao::Recordset& rs, const char* name) {
    const Variant wert = rs.Fields(name).Value();
    return wert.IstNull() || wert.IstEmpty() ? std::string() : Getrimmt(CStr(wert));
}

// The rows of a master-data table, or nothing when the database lacks the table: then the line that
// says so and how to create it.
std::shared_ptr<dao::Recordset> Tabelle(dao::Database& db, const std::string& tabelle, const std::string& sql,
                                        const std::vector<Variant>& parameter, std::vector<std::string>& mängel) {
    try {
        return db.OpenRecordset(sql, parameter, dao::dbOpenForwardOnly);
    } catch (const LaufzeitFehler& f) {
        if (f.Nummer() != dao::fehlernummer::TabelleNichtGefunden) throw;
        mängel.push_back("Die Datenbank " + db.Name() + " hat keine Tabelle " + tabelle +
                         " (Stammdaten der E-Rechnung): sql/schema.sql legt die fehlenden Tabellen an, "
                         "vorhandene bleiben, wie sie sind.");
        return nullptr;
    }
}

class Prüfer {
public:
    Prüfer(std::string tabelle, std::vector<std::string>& mängel) : tabelle_(std::move(tabelle)), mängel_(mängel) {}
    void Pflicht(const std::string& wert, const char* feld, const std::string& zusatz = "") {
        if (wert.empty()) Mangel(feld, "fehlt" + zusatz);
    }
    void Land(const std::string& wert) {
        if (wert.empty()) return Mangel("Land", "fehlt");
        if (wert.size() != 2 || !Großbuchstabe(wert[0]) ||
            !Großbuchstabe(wert[1]))
            Mangel("Land", "\"" + wert + "\" ist kein Ländercode nach ISO 3166 (z. B. DE)");
    }
    // A VAT id begins with the country code of its state.
    void UStIdNr(const std::string& wert) {
        if (wert.size() < 3 || !Buchstabe(wert[0]) ||
            !Buchstabe(wert[1]))
            Mangel("UStIdNr", "\"" + wert + "\" beginnt nicht mit einem Ländercode (z. B. DE123456789)");
    }
    void Mangel(const char* feld, const std::string& text) { mängel_.push_back(tabelle_ + "." + feld + " " + text); }

private:
    std::string tabelle_;
    std::vector<std::string>& mängel_;
};

Buero BueroLesen(dao::Database& db, std::vector<std::string>& mängel) {
    Buero b;
    auto rs = Tabelle(db, "Buero", "SELECT * FROM Buero", {}, mängel);
    if (!rs) return b;
    if (rs->EOF()) {
        mängel.push_back("Die Tabelle Buero hat keine Zeile: Name, Anschrift, Steuernummer und Bankverbindung des "
                         "Büros fehlen.");
        return b;
    }
    b = {Feld(*rs, "Name"), Feld(*rs, "Strasse"), Feld(*rs, "PLZ"), Feld(*rs, "Ort"), Feld(*rs, "Land"),
         Feld(*rs, "UStIdNr"), Feld(*rs, "Steuernummer"), Feld(*rs, "Ansprechpartner"), Feld(*rs, "Telefon"),
         Feld(*rs, "EMail"), Feld(*rs, "ElektronischeAdresse"), Feld(*rs, "IBAN"), Feld(*rs, "BIC"),
         Feld(*rs, "Kontoinhaber")};
    Prüfer p("Buero", mängel);
    p.Pflicht(b.Name, "Name");
    p.Pflicht(b.Strasse, "Strasse");
    p.Pflicht(b.PLZ, "PLZ");
    p.Pflicht(b.Ort, "Ort");
    p.Land(b.Land);
    if (b.UStIdNr.empty() && b.Steuernummer.empty())
        mängel.push_back("Buero.UStIdNr und Buero.Steuernummer fehlen: eine Rechnung braucht eine der beiden");
    if (!b.UStIdNr.empty()) p.UStIdNr(b.UStIdNr);
    p.Pflicht(b.Ansprechpartner, "Ansprechpartner");
    p.Pflicht(b.Telefon, "Telefon");
    p.Pflicht(b.EMail, "EMail");
    p.Pflicht(b.ElektronischeAdresse, "ElektronischeAdresse");
    if (b.IBAN.empty()) p.Mangel("IBAN", "fehlt");
    else if (!IbanGültig(b.IBAN)) p.Mangel("IBAN", "\"" + b.IBAN + "\" ist keine gültige IBAN (Prüfziffern falsch)");
    return b;
}

Auftraggeber AuftraggeberLesen(dao::Database& db, const Variant& auftrag, std::vector<std::string>& mängel) {
    Auftraggeber a;
    auto rs = Tabelle(db, "Auftraggeber", "SELECT * FROM Auftraggeber WHERE ID_Auftragsnummer = ?", {auftrag}, mängel);
    if (!rs) return a;
    const std::string nummer = auftrag.IstNull() ? std::string("(leer)") : CStr(auftrag);
    if (rs->EOF()) {
        mängel.push_back("Die Tabelle Auftraggeber hat keine Zeile für den Auftrag " + nummer +
                         ": Name, Anschrift und Käuferreferenz des Auftraggebers fehlen.");
        return a;
    }
    a = {Feld(*rs, "Name"), Feld(*rs, "Strasse"), Feld(*rs, "PLZ"), Feld(*rs, "Ort"), Feld(*rs, "Land"),
         Feld(*rs, "Kaeuferreferenz"), Feld(*rs, "ElektronischeAdresse"), Feld(*rs, "UStIdNr")};
    Prüfer p("Auftraggeber", mängel);
    const std::string zusatz = " (Auftrag " + nummer + ")";
    p.Pflicht(a.Name, "Name", zusatz);
    p.Pflicht(a.Strasse, "Strasse", zusatz);
    p.Pflicht(a.PLZ, "PLZ", zusatz);
    p.Pflicht(a.Ort, "Ort", zusatz);
    p.Land(a.Land);
    p.Pflicht(a.Kaeuferreferenz, "Kaeuferreferenz", " (Leitweg-ID oder Referenz des Käufers)" + zusatz);
    p.Pflicht(a.ElektronischeAdresse, "ElektronischeAdresse", zusatz);
    if (!a.UStIdNr.empty()) p.UStIdNr(a.UStIdNr);
    return a;
}

}  // namespace

Stammdaten StammdatenLesen(dao::Database& db, const Variant& auftragsnummer, std::vector<std::string>& mängel) {
    Stammdaten s;
    s.buero = BueroLesen(db, mängel);
    s.auftraggeber = AuftraggeberLesen(db, auftragsnummer, mängel);
    return s;
}

std::string IbanOhneLeerzeichen(const std::string& iban) {
    std::string s;
    for (char c : iban)
        if (c != ' ') s += Kleinbuchstabe(c) ? static_cast<char>(c - 'a' + 'A') : c;
    return s;
}

bool IbanGültig(const std::string& iban) {
    const std::string s = IbanOhneLeerzeichen(iban);
    if (s.size() < 15 || s.size() > 34 || !Buchstabe(s[0]) ||
        !Buchstabe(s[1]) || !Ziffer(s[2]) ||
        !Ziffer(s[3]))
        return false;
    // The country code and check digits go to the end; letters count as 10 to 35; the number mod 97 is 1.
    const std::string umgestellt = s.substr(4) + s.substr(0, 4);
    int rest = 0;
    for (char c : umgestellt) {
        if (Ziffer(c)) rest = (rest * 10 + (c - '0')) % 97;
        else if (Großbuchstabe(c)) rest = (rest * 100 + (c - 'A' + 10)) % 97;
        else return false;
    }
    return rest == 1;
}

ElektronischeAdresse AdresseZerlegen(const std::string& text) {
    if (text.size() > 5 && text[4] == ':' && Ziffer(text[0]) &&
        Ziffer(text[1]) && Ziffer(text[2]) &&
        Ziffer(text[3]))
        return {text.substr(0, 4), text.substr(5)};
    if (text.find('@') != std::string::npos) return {"EM", text};
    return {"0204", text};
}

}  // namespace vk::erechnung
