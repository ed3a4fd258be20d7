#include "platform/dao/sqlite_werte.h"

#include <sqlite3.h>

#include <cctype>
#include <string>

#include "common/fehler.h"
#include "common/konvertierung.h"
#include "platform/dao/daofehler.h"
#include "platform/dao/verbindung.h"

namespace vk::dao::detail {
namespace {

std::string Gross(std::string_view s) {
    std::string gross;
    for (char c : s) gross += static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return gross;
}

bool IstDatumstyp(std::string_view deklTyp) {
    std::string gross = Gross(deklTyp);
    return gross.find("DATE") != std::string::npos || gross.find("TIME") != std::string::npos;
}

// A column of real affinity (REAL, FLOAT, DOUBLE): its whole numbers read as Double too.
bool IstReell(std::string_view deklTyp) {
    std::string gross = Gross(deklTyp);
    if (gross.find("INT") != std::string::npos) return false;
    return gross.find("REAL") != std::string::npos || gross.find("FLOA") != std::string::npos ||
           gross.find("DOUB") != std::string::npos;
}

void Pruefen(sqlite3_stmt* stmt, int rc) {
    if (rc == SQLITE_OK) return;
    if (rc == SQLITE_RANGE)
        throw LaufzeitFehler(fehlernummer::ParameterAnzahl, "Die Anweisung hat weniger Parameter als Werte übergeben wurden.");
    throw LaufzeitFehler(fehlernummer::Datentyp, sqlite3_errmsg(sqlite3_db_handle(stmt)));
}

}  // namespace

Variant SpaltenWert(sqlite3_stmt* stmt, int i, std::string_view deklTyp) {
    switch (sqlite3_column_type(stmt, i)) {
    case SQLITE_NULL:
        return Variant::Null();
    case SQLITE_INTEGER:
        if (IstReell(deklTyp)) return Variant(sqlite3_column_double(stmt, i));
        return Variant::AusGanzzahl(sqlite3_column_int64(stmt, i));
    case SQLITE_FLOAT:
        return Variant(sqlite3_column_double(stmt, i));
    default: {
        const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(stmt, i));
        std::string s(text ? text : "", static_cast<std::size_t>(sqlite3_column_bytes(stmt, i)));
        if (IstDatumstyp(deklTyp)) {
            if (auto d = DatumAusIso(s)) return Variant(*d);
        }
        return Variant(std::move(s));
    }
    }
}

void WertBinden(sqlite3_stmt* stmt, int index, const Variant& wert) {
    switch (wert.Typ()) {
    case VarTyp::Empty:
    case VarTyp::Null:
        Pruefen(stmt, sqlite3_bind_null(stmt, index));
        return;
    case VarTyp::Integer:
        Pruefen(stmt, sqlite3_bind_int64(stmt, index, wert.AlsInteger()));
        return;
    case VarTyp::Long:
        Pruefen(stmt, sqlite3_bind_int64(stmt, index, wert.AlsLong()));
        return;
    case VarTyp::Boolean:
        Pruefen(stmt, sqlite3_bind_int64(stmt, index, wert.AlsBoolean() ? -1 : 0));
        return;
    case VarTyp::Double:
        Pruefen(stmt, sqlite3_bind_double(stmt, index, wert.AlsDouble()));
        return;
    case VarTyp::String: {
        const std::string& s = wert.AlsString();
        Pruefen(stmt, sqlite3_bind_text(stmt, index, s.data(), static_cast<int>(s.size()), SQLITE_TRANSIENT));
        return;
    }
    case VarTyp::Date: {
        std::string s = DatumText(wert.AlsDatum());
        Pruefen(stmt, sqlite3_bind_text(stmt, index, s.data(), static_cast<int>(s.size()), SQLITE_TRANSIENT));
        return;
    }
    case VarTyp::Object:
        break;
    }
    throw LaufzeitFehler(vk::fehlernummer::TypenUnvertraeglich, "Ein Objekt kann nicht in der Datenbank gespeichert werden.");
}

}  // namespace vk::dao::detail
