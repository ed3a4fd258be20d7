// Comments: the tags of the invoice. A comment's text is its own text; its anchor (Reference) is
// the stretch of the main text it annotates, or the place of its reference mark for a point comment.
#pragma once

#include <cstddef>
#include <iterator>
#include <memory>
#include <string>
#include <string_view>

#include "platform/word/range.h"

namespace vk::word {

class Comment {
public:
    Comment() = default;  // Nothing
    Comment(std::shared_ptr<detail::Kern> kern, std::string id);

    bool IstNothing() const noexcept { return !kern_; }

    // The comment's own text as a range of its story (without the closing paragraph mark).
    word::Range Range() const;
    // The comment's own text; paragraphs joined by "\r".
    std::string Text() const;
    // The anchor in the document text (collapsed for a point comment).
    word::Range Reference() const;
    // The w:id of the comment in the package.
    const std::string& Id() const noexcept { return id_; }
    void Delete();

    friend bool operator==(const Comment& a, const Comment& b) { return a.kern_ == b.kern_ && a.id_ == b.id_; }

private:
    detail::Kern& kern() const;

    std::shared_ptr<detail::Kern> kern_;
    std::string id_;
};

// The comments of the document or of a range, in anchor order; 1-based.
class Comments {
public:
    Comments() = default;
    // Without a range: all comments of the document.
    Comments(std::shared_ptr<detail::Kern> kern, word::Range filter = {});

    long Count() const;
    Comment Item(long index) const;  // 1..Count, else error 9
    // Adds a comment with the text, anchored on the range (a collapsed range gives a point comment).
    Comment Add(const word::Range& anker, std::string_view text);

    class iterator {
    public:
        using iterator_category = std::forward_iterator_tag;
        using value_type = Comment;
        using difference_type = std::ptrdiff_t;
        using pointer = void;
        using reference = Comment;
        iterator(const Comments* c, long i) : c_(c), i_(i) {}
        Comment operator*() const { return c_->Item(i_); }
        iterator& operator++() { ++i_; return *this; }
        bool operator==(const iterator& o) const { return i_ == o.i_; }
        bool operator!=(const iterator& o) const { return i_ != o.i_; }
    private:
        const Comments* c_;
        long i_;
    };
    iterator begin() const { return iterator(this, 1); }
    iterator end() const { return iterator(this, Count() + 1); }

private:
    detail::Kern& kern() const;

    std::shared_ptr<detail::Kern> kern_;
    word::Range filter_;
};

}  // namespace vk::word
