#include "platform/dao/field.h"

#include "platform/dao/recordset.h"

namespace vk::dao {

const std::string& Field::Name() const { return recordset_->SpaltenName(spalte_); }
Variant Field::Value() const { return recordset_->Wert(spalte_); }
void Field::SetValue(const Variant& wert) { recordset_->WertSetzen(spalte_, wert); }

}  // namespace vk::dao
