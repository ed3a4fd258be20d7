// Error numbers and descriptions of the database layer (the classic database engine numbers).
#pragma once

#include "common/fehler.h"

namespace vk::dao {

namespace fehlernummer {
inline constexpr int NichtAktualisierbar = 3027;        // database or object is read-only
inline constexpr int KeinAktuellerDatensatz = 3021;     // BOF or EOF, or the row is gone
inline constexpr int UpdateOhneEdit = 3020;             // Update or a field assignment without Edit
inline constexpr int DoppelterSchluessel = 3022;        // unique or primary key violated
inline constexpr int DateiNichtGefunden = 3024;         // database file missing
inline constexpr int DateiNichtZuOeffnen = 3051;        // exists but cannot be opened
inline constexpr int ParameterAnzahl = 3061;            // too few / too many parameters, unknown column
inline constexpr int AuswahlabfrageAusfuehren = 3065;   // Execute of a query that returns rows
inline constexpr int SyntaxFehler = 3075;               // statement does not parse
inline constexpr int TabelleNichtGefunden = 3078;       // no such table or query
inline constexpr int Beschaedigt = 3049;                // damaged database file
inline constexpr int Regelverletzung = 3317;            // another constraint of the database
inline constexpr int ZeichenNachEnde = 3142;            // text after the end of the statement
inline constexpr int FeldNichtAktualisierbar = 3164;    // computed column
inline constexpr int DatensatzGeloescht = 3167;         // row deleted by someone else
inline constexpr int UngueltigeOperation = 3219;        // OpenRecordset on a statement that changes data
inline constexpr int Gesperrt = 3260;                   // locked by another user
inline constexpr int ElementNichtGefunden = 3265;       // no field of that name
inline constexpr int NullNichtErlaubt = 3314;           // NOT NULL violated
inline constexpr int UnbekanntesFormat = 3343;          // not a database file
inline constexpr int ObjektUngueltig = 3420;            // used after Close
inline constexpr int Datentyp = 3464;                   // data type mismatch
inline constexpr int UngueltigesArgument = 3001;        // e.g. an unknown recordset type
inline constexpr int KeineTransaktion = 3034;           // CommitTrans / Rollback without BeginTrans, or a second BeginTrans
inline constexpr int VerbindungFehlgeschlagen = 3151;   // the database server refused or lost the connection
inline constexpr int SchonVorhanden = 58;               // a new database: the file or its tables exist already
}  // namespace fehlernummer

}  // namespace vk::dao
