// General helpers: nullable database fields, tolerant number input, fixed-width number texts,
// amount-input keys, select-all, window placement and the message box.
#pragma once

#include <string>
#include <string_view>

#include "common/schnittstellen.h"
#include "common/variant.h"

namespace vk {

// The value, or the integer 0 when it is Null.
Variant BoolDatensatzLesen(const Variant& wert);
// The value, or the integer 0 when it is Null or the empty string.
Variant ZahlDatensatzLesen(const Variant& wert);

// User text to a number, tolerantly: "12,5 m²" is 12.5, "1.234,5" is 1234.5, a text starting with a
// letter is 0. A collected text that does not convert ("-") is logged ("Funktionen", "CVal") and gives 0.
double CVal(std::string_view text);

// A number text in the regional format as a right-aligned text of `breite` characters with
// `nachkomma` decimals ("1234,5", 11, 2 gives "   1.234,50"); a longer number is not cut.
std::string WertFormatieren(std::string_view wert, int breite, int nachkomma);
// The same for a number, through its plain text form.
std::string WertFormatieren(double wert, int breite, int nachkomma);
// A quantity (an area, a land value, a length, a count) as WertFormatieren shows it; a negative one,
// which is priced as none, shows as 0 so that what is printed is what was priced.
std::string MengeFormatieren(std::string_view wert, int breite, int nachkomma);

// The decimal-comma or point key in a fixed-width amount input: right-aligns the integer digits
// before the comma, adds the comma and blank decimals, caret behind the comma, rest selected.
void Wert_Key(TextEingabe& eingabe, int breite, int nachkomma);

// Selects the whole text of the input (errors ignored).
void AllesMarkieren(TextEingabe& eingabe);

// Restores / saves a form's placement under "KalVerwaltung", section = form name,
// keys "State", "Top", "Left".
void GetWindowReg(FensterForm& form);
void SetWindowReg(const FensterForm& form);

// A modal message through the message-box service; returns the code of the button pressed.
int MsgBox(const std::string& text, int flags = 0, const std::string& titel = "");

}  // namespace vk
