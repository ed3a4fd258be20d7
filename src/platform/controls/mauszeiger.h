// The screen's mouse pointer (hourglass while a dialog loads or writes its table).
#pragma once

#include <memory>
#include <vector>

namespace vk::ui {

namespace mauszeiger {
inline constexpr int Standard = 0;
inline constexpr int Sanduhr = 11;
}  // namespace mauszeiger

class Bildschirm {
public:
    virtual ~Bildschirm() = default;
    virtual int MousePointer() const = 0;
    virtual void SetMousePointer(int zeiger) = 0;
};

// Headless default: keeps the pointer and every value set, in order, so tests can see 11 then 0.
class KopfloserBildschirm : public Bildschirm {
public:
    int MousePointer() const override { return zeiger_; }
    void SetMousePointer(int zeiger) override;
    const std::vector<int>& Verlauf() const noexcept { return verlauf_; }
    void Zurücksetzen();

private:
    int zeiger_ = mauszeiger::Standard;
    std::vector<int> verlauf_;
};

Bildschirm& Screen();
void BildschirmSetzen(std::shared_ptr<Bildschirm> dienst);  // nullptr restores the default
KopfloserBildschirm& StandardBildschirm();

}  // namespace vk::ui
