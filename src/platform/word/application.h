// The application object of a document: its selection, unit conversion and the active window's
// view flags.
#pragma once

#include <memory>

#include "common/variant.h"
#include "platform/word/selection.h"

namespace vk::word {

// View flags of the active window. Flags with a document setting behind them are stored in the
// document (ShowComments, ShowInsertionsAndDeletions, ShowFormatting: the revision view of the
// settings part); ShowHiddenText and ShowAll have no setting in the file and live in memory only.
class View {
public:
    explicit View(std::shared_ptr<detail::Kern> kern);

    bool ShowHiddenText() const;
    void SetShowHiddenText(bool wert);
    bool ShowAll() const;
    void SetShowAll(bool wert);
    bool ShowComments() const;
    void SetShowComments(bool wert);
    bool ShowInsertionsAndDeletions() const;
    void SetShowInsertionsAndDeletions(bool wert);
    bool ShowFormatting() const;
    void SetShowFormatting(bool wert);

private:
    std::shared_ptr<detail::Kern> kern_;
};

class Window {
public:
    explicit Window(std::shared_ptr<detail::Kern> kern) : kern_(std::move(kern)) {}
    word::View View() const { return word::View(kern_); }

private:
    std::shared_ptr<detail::Kern> kern_;
};

class Application : public Objekt {
public:
    explicit Application(std::shared_ptr<detail::Kern> kern) : kern_(std::move(kern)) {}

    word::Selection Selection() const;
    Window ActiveWindow() const;
    static double CentimetersToPoints(double cm) { return cm * 72.0 / 2.54; }
    static double PointsToCentimeters(double punkte) { return punkte * 2.54 / 72.0; }

private:
    std::shared_ptr<detail::Kern> kern_;
};

}  // namespace vk::word
