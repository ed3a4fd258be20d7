// Variant: the value type of the component's properties (Empty, Null, integers, double, string,
// boolean, date, object), as an automation host hands values over. Objects (a document, a database,
// a record) are held by shared ownership: a Variant keeps its object alive, and a property of VK that
// stores one shares it with the host.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <type_traits>
#include <variant>

#include "vk_lp_08/export.h"

namespace vk {

// Base of every object a Variant can hold (document, workspace, database, recordset, ...).
class VK_API Objekt {
public:
    virtual ~Objekt() = default;
};

// An automation date: days since 30.12.1899, the fraction is the time of day.
struct Datum {
    double wert = 0.0;
    friend bool operator==(const Datum&, const Datum&) = default;
};

enum class VarTyp { Empty, Null, Integer, Long, Double, String, Boolean, Date, Object };

class VK_API Variant {
public:
    struct NullWert {
        friend bool operator==(const NullWert&, const NullWert&) = default;
    };

    Variant() = default;
    Variant(std::int16_t v) : wert_(v) {}
    Variant(std::int32_t v) : wert_(v) {}
    Variant(double v) : wert_(v) {}
    Variant(bool v) : wert_(v) {}
    Variant(const char* v) : wert_(std::string(v)) {}
    Variant(std::string v) : wert_(std::move(v)) {}
    Variant(std::string_view v) : wert_(std::string(v)) {}
    Variant(Datum v) : wert_(v) {}
    Variant(std::shared_ptr<Objekt> v) : wert_(std::move(v)) {}
    template <class T, class = std::enable_if_t<std::is_base_of_v<Objekt, T> && !std::is_same_v<T, Objekt>>>
    Variant(std::shared_ptr<T> v) : wert_(std::static_pointer_cast<Objekt>(std::move(v))) {}

    static Variant Null() { Variant v; v.wert_ = NullWert{}; return v; }
    // A 64-bit integer from a database: Long when it fits, else Double.
    static Variant AusGanzzahl(std::int64_t v);

    VarTyp Typ() const noexcept { return static_cast<VarTyp>(wert_.index()); }
    bool IstEmpty() const noexcept { return Typ() == VarTyp::Empty; }
    bool IstNull() const noexcept { return Typ() == VarTyp::Null; }
    bool IstObjekt() const noexcept { return Typ() == VarTyp::Object; }
    bool IstZahl() const noexcept;  // Integer, Long, Double, Boolean or Date

    // Typed access; raise type mismatch (13) when the variant holds another type.
    std::int16_t AlsInteger() const;
    std::int32_t AlsLong() const;
    double AlsDouble() const;
    bool AlsBoolean() const;
    const std::string& AlsString() const;
    Datum AlsDatum() const;
    const std::shared_ptr<Objekt>& AlsObjekt() const;

    // The held object cast to T, or nullptr when the variant holds no T.
    template <class T>
    std::shared_ptr<T> Objekt_als() const {
        if (!IstObjekt()) return nullptr;
        return std::dynamic_pointer_cast<T>(std::get<std::shared_ptr<Objekt>>(wert_));
    }

    friend bool operator==(const Variant& a, const Variant& b) { return a.wert_ == b.wert_; }

private:
    std::variant<std::monostate, NullWert, std::int16_t, std::int32_t, double, std::string, bool, Datum,
                 std::shared_ptr<Objekt>>
        wert_;
};

}  // namespace vk
