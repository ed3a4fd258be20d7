// The read-only preview of the invoice: its paragraphs and tables in document order, and the text of
// its text boxes, as HTML for a QTextBrowser.
#pragma once

#include <QString>

#include "platform/word/document.h"

namespace vkhost {

QString VorschauHtml(const vk::word::Document& dokument);

}  // namespace vkhost
