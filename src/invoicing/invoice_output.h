#pragma once
// A saved invoice on its way to the customer: as plain text in the desktop's
// text editor, as the HTML page that lays the text over the template picture
// ("faktura.html" beside drive_info/faktura.png), and the text a PDF of it
// prints.
#include <QString>

namespace mv {

// The HTML page of an invoice document: the company name of line 1 blanked
// (the template carries the letterhead), underscores as blanks except the
// 359th, which starts the small print, runs of blanks as "&nbsp;" (the last
// blank of a run stays a blank), every line indented by five "&nbsp;", at
// most 65 lines and a body of at most 19000 characters; the customer's text
// escaped (& < > "). Declared and meant to be written as UTF-8.
QString invoiceHtml(const QString& document);

// Reads the document and writes the HTML page as UTF-8. 0 done, 2 the
// document cannot be read, 3 the page cannot be written.
int writeInvoiceHtml(const QString& documentPath, const QString& htmlPath);

// A copy of a stored text document for the desktop's text editor: UTF-8
// (the editors of the desktop read it), the stored line ends kept as the
// platform's. 0 done, 2 the document cannot be read, 3 the copy cannot be
// written.
int writeTextCopy(const QString& documentPath, const QString& copyPath);

// What a PDF of the invoice shows: the document, with the company name of
// line 1 blanked when it is printed over the template picture.
QString invoicePrintText(const QString& document, bool overTemplate);

} // namespace mv
