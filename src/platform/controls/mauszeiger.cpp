#include "platform/controls/mauszeiger.h"

namespace vk::ui {

namespace {

std::shared_ptr<KopfloserBildschirm>& Standard() {
    static auto dienst = std::make_shared<KopfloserBildschirm>();
    return dienst;
}

std::shared_ptr<Bildschirm>& Aktuell() {
    static std::shared_ptr<Bildschirm> dienst = Standard();
    return dienst;
}

}  // namespace

void KopfloserBildschirm::SetMousePointer(int zeiger) {
    zeiger_ = zeiger;
    verlauf_.push_back(zeiger);
}

void KopfloserBildschirm::Zurücksetzen() {
    zeiger_ = mauszeiger::Standard;
    verlauf_.clear();
}

Bildschirm& Screen() { return *Aktuell(); }
void BildschirmSetzen(std::shared_ptr<Bildschirm> dienst) { Aktuell() = dienst ? std::move(dienst) : Standard(); }
KopfloserBildschirm& StandardBildschirm() { return *Standard(); }

}  // namespace vk::ui
