#include "vorschau.h"

#include <string>

namespace vkhost {

namespace {

// Paragraph marks end paragraphs, line breaks break lines, tabs become wide gaps.
QString Absätze(const std::string& text, bool inZelle) {
    QString html;
    QString absatz;
    auto abschließen = [&] {
        html += inZelle ? absatz + "<br>" : "<p>" + absatz + "</p>";
        absatz.clear();
    };
    for (QChar z : QString::fromStdString(text)) {
        if (z == '\r') abschließen();
        else if (z == '\v') absatz += "<br>";
        else if (z == '\t') absatz += "&emsp;";
        else if (z == '\a') continue;
        else absatz += QString(z).toHtmlEscaped();
    }
    if (!absatz.isEmpty()) abschließen();
    if (inZelle && html.endsWith("<br>")) html.chop(4);
    return html;
}

QString Tabelle(const vk::word::Table& t) {
    QString html = "<table border='1' cellspacing='0' cellpadding='3' width='100%'>";
    const long zeilen = t.Rows().Count();
    for (long r = 1; r <= zeilen; ++r) {
        html += "<tr>";
        const long zellen = t.Rows().Item(r).CellCount();
        for (long c = 1; c <= zellen; ++c) {
            std::string text = t.Cell(r, c).Range().Text();
            if (text.size() >= 2) text.resize(text.size() - 2);  // the end-of-cell mark
            html += "<td>" + Absätze(text, true) + "</td>";
        }
        html += "</tr>";
    }
    return html + "</table>";
}

}  // namespace

QString VorschauHtml(const vk::word::Document& dokument) {
    QString html = "<html><body>";
    long stelle = 0;
    for (vk::word::Table t : dokument.Tables()) {
        const vk::word::Range bereich = t.Range();
        if (bereich.Start() > stelle) html += Absätze(dokument.Range(stelle, bereich.Start()).Text(), false);
        html += Tabelle(t);
        stelle = bereich.End();
    }
    const long ende = dokument.Content().End();
    if (ende > stelle) html += Absätze(dokument.Range(stelle, ende).Text(), false);
    for (vk::word::Shape s : dokument.Shapes()) {
        if (!s.TextFrame().HasText()) continue;
        html += "<table border='1' cellpadding='4'><tr><td><i>Textfeld " + QString::fromStdString(s.Name()).toHtmlEscaped() +
                ":</i><br>" + Absätze(s.TextFrame().TextRange().Text(), true) + "</td></tr></table>";
    }
    return html + "</body></html>";
}

}  // namespace vkhost
