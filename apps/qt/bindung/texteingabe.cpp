#include "bindung/texteingabe.h"

#include <QApplication>
#include <QClipboard>
#include <QFocusEvent>
#include <QFontDatabase>
#include <QKeyEvent>
#include <QRegularExpressionValidator>

#include "bindung/aktion.h"
#include "platform/controls/wiedergabe.h"

namespace vkhost {

Texteingabe::Texteingabe(QWidget* eltern) : QLineEdit(eltern), anker_(std::make_shared<Anker>()) {
    setContextMenuPolicy(Qt::NoContextMenu);  // no cut or paste past the key path
    setDragEnabled(false);
    setAcceptDrops(false);
}

void Texteingabe::AnkerSetzen(std::shared_ptr<Anker> anker) { anker_ = std::move(anker); }

vk::ui::TextFeld* Texteingabe::Feld() const { return static_cast<vk::ui::TextFeld*>(anker_->control); }

void Texteingabe::AuswahlÜbergeben(vk::ui::TextFeld& feld) {
    // Read both before handing either over: the control's change shows at once in this line, and
    // setting the start alone clears the selection.
    const bool markiert = hasSelectedText();
    const int start = markiert ? selectionStart() : cursorPosition();
    const auto zeichen = [this](int von, int anzahl) { return static_cast<int>(text().mid(von, anzahl).toStdU32String().size()); };
    const int länge = markiert ? zeichen(start, selectedText().size()) : 0;
    feld.SetSelStart(zeichen(0, start));
    feld.SetSelLength(länge);
}

void Texteingabe::Tippen(const std::u32string& zeichen) {
    vk::ui::TextFeld* feld = Feld();
    if (!feld) return;
    Ausführen([&] {
        if (!feld->HatFokus()) vk::ui::Betreten(*feld);
        AuswahlÜbergeben(*feld);
        for (char32_t z : zeichen)
            vk::ui::TasteDrücken(feld->ParentForm(), feld->VollerName(), static_cast<int>(z));
    });
}

void Texteingabe::Einfügen(const QString& text) {
    vk::ui::TextFeld* feld = Feld();
    if (!feld || text.isEmpty()) return;
    Ausführen([&] {
        if (!feld->HatFokus()) vk::ui::Betreten(*feld);
        AuswahlÜbergeben(*feld);
        // One line: a paste from a table or a text brings its line end along.
        vk::ui::Einfügen(*feld, text.section('\n', 0, 0).remove('\r').toStdString());
    });
}

void Texteingabe::keyPressEvent(QKeyEvent* e) {
    if (!Feld()) return;
    if (e->matches(QKeySequence::Paste)) {
        Einfügen(QApplication::clipboard()->text());
        return;
    }
    if (e->matches(QKeySequence::Copy) || e->matches(QKeySequence::SelectAll)) {
        QLineEdit::keyPressEvent(e);
        return;
    }
    switch (e->key()) {
        case Qt::Key_Left: case Qt::Key_Right: case Qt::Key_Home: case Qt::Key_End:
            QLineEdit::keyPressEvent(e);  // caret and selection only
            return;
        case Qt::Key_Backspace:
            Tippen({U'\b'});
            return;
        case Qt::Key_Delete:
            // Delete is Backspace on the character after the caret (or on the selection).
            if (!hasSelectedText()) {
                if (cursorPosition() >= text().size()) return;
                setSelection(cursorPosition(), 1);
            }
            Tippen({U'\b'});
            return;
        case Qt::Key_Return: case Qt::Key_Enter:
            // The field's handlers see Enter first (the land value recomputes); the window then
            // confirms the dialog with it.
            Tippen({U'\r'});
            e->ignore();
            return;
        default:
            break;
    }
    const std::u32string text = e->text().toStdU32String();
    if (!text.empty() && text[0] >= 32 && !(e->modifiers() & (Qt::ControlModifier | Qt::MetaModifier))) {
        Tippen(text);
        return;
    }
    e->ignore();  // Tab, Escape and shortcuts go to the window
}

void Texteingabe::focusInEvent(QFocusEvent* e) {
    QLineEdit::focusInEvent(e);
    vk::ui::TextFeld* feld = Feld();
    if (!feld || feld->HatFokus()) return;
    Ausführen([&] { vk::ui::Betreten(*feld); });
}

void Texteingabe::focusOutEvent(QFocusEvent* e) {
    QLineEdit::focusOutEvent(e);
    // A message box or menu over the window takes Qt's focus only for a while: the field keeps it.
    if (e->reason() == Qt::ActiveWindowFocusReason || e->reason() == Qt::PopupFocusReason) return;
    if (vk::ui::TextFeld* feld = Feld(); feld && feld->HatFokus()) Ausführen([&] { vk::ui::Verlassen(*feld); });
}

namespace {

class TextfeldBindung : public SteuerelementBindung {
public:
    TextfeldBindung(vk::ui::TextFeld& feld, Texteingabe* w) : SteuerelementBindung(feld, w), w_(w) {}

protected:
    void Übertragen(vk::ui::Control& c) override {
        auto& feld = static_cast<vk::ui::TextFeld&>(c);
        w_->setReadOnly(feld.Locked());
        if (auto* maske = dynamic_cast<vk::ui::MaskEdBox*>(&feld)) MaskeÜbertragen(*maske);
        const QString text = QString::fromStdString(feld.Text());
        if (w_->text() != text) w_->setText(text);
        if (feld.SelLength() > 0) w_->setSelection(feld.SelStart(), feld.SelLength());
        else w_->setCursorPosition(feld.SelStart());
    }

private:
    void MaskeÜbertragen(vk::ui::MaskEdBox& m) {
        if (m.Mask() == maske_) return;
        maske_ = m.Mask();
        // The mask and the maximum length are the control's to enforce on typing; the line takes no
        // maximum length of its own, which would cut a longer text the form sets.
        if (maske_.empty()) {
            w_->setValidator(nullptr);
        } else {
            w_->setValidator(new QRegularExpressionValidator(
                QRegularExpression(QString("[0-9 ]{0,%1}").arg(maske_.size())), w_));
        }
    }

    Texteingabe* w_;
    std::string maske_ = "-";
};

}  // namespace

std::unique_ptr<SteuerelementBindung> TextfeldBinden(vk::ui::TextFeld& feld, Texteingabe* w) {
    // Fixed-width digits: a count formatted to its field width stands right-aligned as in the table.
    if (feld.Kind() == vk::ui::Art::MaskEdBox) w->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    auto b = std::make_unique<TextfeldBindung>(feld, w);
    w->AnkerSetzen(b->AnkerVon());
    b->Aktualisieren();
    return b;
}

}  // namespace vkhost
