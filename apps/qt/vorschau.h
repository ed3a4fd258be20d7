// The read-only preview of the invoice: its pages one below the other, each as wide as the preview
// allows (the whole page width in view), drawn from the paged document of VorschauAufbauen with the
// text boxes on their page. Ctrl and the mouse wheel, Ctrl++ and Ctrl+- zoom it, Ctrl+0 fits the page
// width again. After a confirmation the host scrolls it to the table just written.
#pragma once

#include <QAbstractScrollArea>

#include "vorschaudokument.h"

namespace vkhost {

class Vorschau : public QAbstractScrollArea {
    Q_OBJECT
public:
    explicit Vorschau(QWidget* eltern = nullptr);

    // Shows the invoice as it stands (laid out anew) and keeps the scroll position where it can.
    void Anzeigen(const vk::word::Document& dokument);
    // Shows the text instead of an invoice (a message, or nothing).
    void Leeren(const QString& hinweis = {});
    // Scrolls so that the invoice's table `index` (1-based) starts at the top.
    void TabelleZeigen(long index);
    // Marks the invoice's tables (1-based) with a light red background until the next Anzeigen, and
    // scrolls to the first of them.
    void TabellenMarkieren(const std::vector<long>& indizes);
    bool Markiert(long index) const;

    // What is shown: the paged document (nullptr for none), its text, the view's scale.
    const Vorschaudokument* Inhalt() const { return inhalt_.text ? &inhalt_ : nullptr; }
    QString Text() const;
    double Maßstab() const { return maßstab_; }
    // Where a point of the paged document is drawn in the viewport.
    QPointF Ansichtspunkt(QPointF dokumentpunkt) const;

    // The zoom: 1 shows the page as wide as the preview; each step in or out is a tenth more or less.
    void Zoomen(int schritte);
    void ZoomZurücksetzen();
    double Zoom() const { return zoom_; }

protected:
    void paintEvent(QPaintEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;
    void wheelEvent(QWheelEvent* e) override;

private:
    void Einpassen();
    double SeiteOben(int seite) const;  // in view pixels, without scrolling
    double SeitenLinks() const;

    Vorschaudokument inhalt_;
    QString hinweis_;
    double maßstab_ = 1;
    double zoom_ = 1;
};

}  // namespace vkhost
