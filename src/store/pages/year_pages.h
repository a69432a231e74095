#pragma once
// Painting shared by the create-year and select-year pages.
#include <QString>

namespace shell {

// Heading, help mark, tools panel, the frame with the labels "Skapade" and
// the action label, and the frame "AKTIVT ÅR ÄR NU" showing `shownYear` in
// big red figures.
void paintYearPage(int window, int& pageState, const QString& heading, const QString& frameTitle,
                   const QString& actionLabel, const QString& shownYear);

// Fills a read-only text view with the created years, one per line.
void fillCreatedYears(int view);

} // namespace shell
