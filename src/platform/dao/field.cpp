#include "platform/dao/field.h"

#include "common/stoerstelle.h"
#include "platform/dao/daofehler.h"
#include "platform/dao/recordset.h"

namespace vk::dao {

const std::string& Field::Name() const { return recordset_->SpaltenName(spalte_); }
Variant Field::Value() const {
    DatenbankStoerung.Punkt("Field.Value", fehlernummer::Gesperrt);
    return recordset_->Wert(spalte_);
}

void Field::SetValue(const Variant& wert) {
    DatenbankStoerung.Punkt("Field.Value =", fehlernummer::Gesperrt);
    recordset_->WertSetzen(spalte_, wert);
}

}  // namespace vk::dao
