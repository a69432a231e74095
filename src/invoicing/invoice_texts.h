#pragma once
// The invoice texts foretaget/faktura.kdb: ten lines, the six header lines
// that every new invoice starts with ("Översta gruppen", 45 characters each)
// and the four middle-group lines of every document without house-work
// ("Mellersta gruppen", 60 characters each).
#include "store/settings.h"
#include "store/store_layout.h"
#include "store/user_message.h"

#include <array>

namespace mv {

inline constexpr int invoiceHeaderTextWidth = 45;
inline constexpr int invoiceMiddleTextWidth = 60;

// The file's text: the ten lines, each with its line end.
QString invoiceTextsFile(const std::array<QString, invoiceTextCount>& texts);

// "Spara" of the invoice texts page: checks the characters, writes the file
// as one change and puts the texts into the loaded record. True when saved.
bool saveInvoiceTexts(const PathTable& paths, const std::array<QString, invoiceTextCount>& texts,
                      const ShowMessage& show);

} // namespace mv
