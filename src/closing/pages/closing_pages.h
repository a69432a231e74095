#pragma once
// Handles of the year-end pages' controls, for the page tests (implemented
// in the *_page.cpp files of this folder).
#include "closing/opening_balance.h"

#include <array>

namespace closingui {

struct ClosingControls {
    int instructions = 0, yearsView = 0, yearField = 0, chooseButton = 0, completeButton = 0,
        bookOutButton = 0;
};
const ClosingControls& closingControls();

struct OpeningControls {
    std::array<int, mv::openingRowCount> rows{};
    int number = 0, saveButton = 0, sieButton = 0;
};
const OpeningControls& openingControls();
// Normalises the typed rows of the opening balance page and computes the
// equity row from them (as Enter does).
void recalculateOpeningRows();

// Forgets the choices the closing page keeps between its runs (a broken
// fiscal year and the following year chosen); for a fresh start and tests.
void forgetYearEndRun();

// The viewer of the closing lists.
int closingListView();

} // namespace closingui
