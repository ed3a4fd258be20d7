#include "common/variant.h"

#include <limits>

#include "common/fehler.h"

namespace vk {

Variant Variant::AusGanzzahl(std::int64_t v) {
    if (v >= std::numeric_limits<std::int32_t>::min() && v <= std::numeric_limits<std::int32_t>::max())
        return Variant(static_cast<std::int32_t>(v));
    return Variant(static_cast<double>(v));
}

bool Variant::IstZahl() const noexcept {
    switch (Typ()) {
    case VarTyp::Integer: case VarTyp::Long: case VarTyp::Double: case VarTyp::Boolean: case VarTyp::Date:
        return true;
    default:
        return false;
    }
}

namespace {
template <class T, class V>
const T& Holen(const V& wert) {
    if (const T* p = std::get_if<T>(&wert)) return *p;
    throw LaufzeitFehler(fehlernummer::TypenUnvertraeglich);
}
}  // namespace

std::int16_t Variant::AlsInteger() const { return Holen<std::int16_t>(wert_); }
std::int32_t Variant::AlsLong() const { return Holen<std::int32_t>(wert_); }
double Variant::AlsDouble() const { return Holen<double>(wert_); }
bool Variant::AlsBoolean() const { return Holen<bool>(wert_); }
const std::string& Variant::AlsString() const { return Holen<std::string>(wert_); }
Datum Variant::AlsDatum() const { return Holen<Datum>(wert_); }
const std::shared_ptr<Objekt>& Variant::AlsObjekt() const {
    if (!IstObjekt()) throw LaufzeitFehler(fehlernummer::TypenUnvertraeglich);
    const auto& p = std::get<std::shared_ptr<Objekt>>(wert_);
    if (!p) throw LaufzeitFehler(fehlernummer::ObjektNichtFestgelegt);
    return p;
}

}  // namespace vk
