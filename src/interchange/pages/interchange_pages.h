#pragma once
// What the pages of the files for other programs and Skatteverket share
// (UI level: implemented in sie_page.cpp).
#include "interchange/interchange_files.h"

namespace interchangeui {

// Shows the refusal of an offer, or asks where to save it (its default name
// proposed) and saves it there, showing whether it was saved. Returns true
// when the file was written.
bool saveOfferedFile(const mv::FileOffer& offer, const QString& title, const QString& filter);

// Handles of the pages' controls, for the page tests.
struct ClaimControls {
    int from = 0, to = 0, kind = 0, showButton = 0, saveButton = 0, view = 0;
};
const ClaimControls& claimControls();
struct VatFileControls {
    int period = 0, showButton = 0, saveButton = 0;
};
const VatFileControls& vatFileControls();
int sieSaveButton();

} // namespace interchangeui
