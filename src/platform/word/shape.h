// Floating shapes of the main text, text boxes among them: DrawingML anchors (wp:anchor, named in
// their drawing properties) and absolutely positioned VML shapes (w:pict, named by their id). A text
// box's text is a story of its own.
#pragma once

#include <cstddef>
#include <iterator>
#include <memory>
#include <string>
#include <string_view>

#include "platform/word/range.h"

namespace pugi {
struct xml_node_struct;
}

namespace vk::word {

class LineFormat {
public:
    LineFormat(std::shared_ptr<detail::Kern> kern, pugi::xml_node_struct* anker);
    bool Visible() const;
    void SetVisible(bool wert);

private:
    std::shared_ptr<detail::Kern> kern_;
    pugi::xml_node_struct* anker_;
};

class FillFormat {
public:
    FillFormat(std::shared_ptr<detail::Kern> kern, pugi::xml_node_struct* anker);
    bool Visible() const;
    void SetVisible(bool wert);

private:
    std::shared_ptr<detail::Kern> kern_;
    pugi::xml_node_struct* anker_;
};

class TextFrame {
public:
    TextFrame(std::shared_ptr<detail::Kern> kern, pugi::xml_node_struct* anker);
    bool HasText() const;
    // The text box's story (error 5 for a shape without a text box).
    word::Range TextRange() const;

private:
    std::shared_ptr<detail::Kern> kern_;
    pugi::xml_node_struct* anker_;
};

class Shape {
public:
    Shape() = default;
    Shape(std::shared_ptr<detail::Kern> kern, pugi::xml_node_struct* anker);

    std::string Name() const;
    void SetName(std::string_view name);
    void Delete();

    word::LineFormat Line() const;
    word::FillFormat Fill() const;
    word::TextFrame TextFrame() const;

    // 0 margin, 1 page, 2 paragraph (vertical); 0 margin, 1 page, 2 column (horizontal).
    void SetRelativeVerticalPosition(int bezug);
    int RelativeVerticalPosition() const;
    void SetRelativeHorizontalPosition(int bezug);
    int RelativeHorizontalPosition() const;
    // Offsets and size in points.
    void SetTop(double punkte);
    double Top() const;
    void SetLeft(double punkte);
    double Left() const;
    double Width() const;
    double Height() const;

private:
    detail::Kern& kern() const;
    std::shared_ptr<detail::Kern> kern_;
    pugi::xml_node_struct* anker_ = nullptr;
};

// The floating shapes of the main text in document order; 1-based.
class Shapes {
public:
    explicit Shapes(std::shared_ptr<detail::Kern> kern);

    long Count() const;
    Shape Item(long index) const;  // error 9 when out of range
    // A text box anchored in the first paragraph of the main text, positioned relative to the page
    // (left, top, width, height in points), with a line and white fill until told otherwise. It is
    // a VML text box the body text flows above and below (tables included, in LibreOffice too), so
    // nothing of the body prints over it.
    Shape AddTextbox(int ausrichtung, double links, double oben, double breite, double hoehe);

    class iterator {
    public:
        using iterator_category = std::forward_iterator_tag;
        using value_type = Shape;
        using difference_type = std::ptrdiff_t;
        using pointer = void;
        using reference = Shape;
        iterator(const Shapes* s, long i) : s_(s), i_(i) {}
        Shape operator*() const { return s_->Item(i_); }
        iterator& operator++() { ++i_; return *this; }
        bool operator==(const iterator& o) const { return i_ == o.i_; }
        bool operator!=(const iterator& o) const { return i_ != o.i_; }
    private:
        const Shapes* s_;
        long i_;
    };
    iterator begin() const { return iterator(this, 1); }
    iterator end() const { return iterator(this, Count() + 1); }

private:
    std::shared_ptr<detail::Kern> kern_;
};

}  // namespace vk::word
