// Range: a live stretch of one story (main text, a comment's text or a text box).
//
// Positions are character indexes into the story as the callers read it: paragraph end 13, line
// break 11, tab 9, after each cell's text the end-of-cell mark 13 7, after each row an end-of-row
// mark 13 7. A character is one Unicode code point (an "€" counts 1, not 3 bytes).
//
// A Range is a handle: copies share one live extent (like an object reference). The document moves
// every extent it handed out when text is inserted or deleted before or inside it; deleting the table
// a range spans collapses the range to the table's place. Duplicate() gives an independent extent.
#pragma once

#include <memory>
#include <string>
#include <string_view>

namespace vk::word {

namespace detail {
class Kern;
struct Bereich;
}  // namespace detail

class Comments;
class Tables;
class ParagraphFormat;

class Range {
public:
    Range() = default;  // Nothing
    Range(std::shared_ptr<detail::Kern> kern, std::shared_ptr<detail::Bereich> bereich);

    bool IstNothing() const noexcept { return !bereich_; }

    // The characters of the range (UTF-8); a cell's range ends in "\r\a".
    std::string Text() const;
    // Replaces the characters of the range by text; the range then covers the new text.
    void SetText(std::string_view text);

    long Start() const;
    long End() const;
    void SetStart(long position);
    void SetEnd(long position);
    void SetRange(long start, long end);
    // Length of the story the range lies in.
    long StoryLength() const;

    // 1 (wdCollapseStart) or 0 (wdCollapseEnd).
    void Collapse(int richtung = 1);
    // Moves the start (end) by count units (1 character, 2 word, 4 paragraph); returns the units moved.
    long MoveStart(int einheit = 1, long anzahl = 1);
    long MoveEnd(int einheit = 1, long anzahl = 1);

    // Inserts a paragraph mark before the start / after the end; the range grows to include it.
    void InsertParagraphBefore();
    void InsertParagraphAfter();
    // Inserts text after the end (inside a cell: before the end-of-cell mark) / before the start;
    // the range grows to include it. "\r" (or "\r\n") starts a new paragraph, "\v" (11) is a line
    // break, "\t" a tab.
    void InsertAfter(std::string_view text);
    void InsertBefore(std::string_view text);

    // Bold: -1 (wdTrue) or 0; reading gives 9999999 (wdUndefined) for mixed text.
    void SetBold(int wert);
    int Bold() const;
    // Font size in points; reading gives 0 when the range has no direct size or mixed sizes.
    void SetFontSize(double punkte);
    double FontSize() const;

    // Deletes the characters of the range (whole tables inside it go as well; cell and row marks stay).
    void Delete();
    // Makes the range the application's selection.
    void Select() const;

    // Comments whose anchor starts inside the range, in anchor order.
    word::Comments Comments() const;
    // The tables the range lies in or contains (top level), in document order.
    word::Tables Tables() const;
    word::ParagraphFormat ParagraphFormat() const;

    // An independent live range with the same extent.
    Range Duplicate() const;
    // Whether both denote the same story and extent.
    bool IsEqual(const Range& andere) const;
    // Whether this range lies within the other one (same story).
    bool InRange(const Range& andere) const;

    // Internal access for the other handles of the layer.
    const std::shared_ptr<detail::Kern>& KernIntern() const noexcept { return kern_; }
    const std::shared_ptr<detail::Bereich>& BereichIntern() const noexcept { return bereich_; }

private:
    detail::Kern& kern() const;

    std::shared_ptr<detail::Kern> kern_;
    std::shared_ptr<detail::Bereich> bereich_;
};

}  // namespace vk::word
