#pragma once

#include <QString>

class QWidget;

namespace quorbin {

// Gives a box a warning look with the note as its tooltip and as the description a screen
// reader reads; an empty note gives the box its normal look back. Only the box's base
// colour changes, tinted towards red from whatever the theme's is (light or dark), so
// the box keeps its font and its text stays readable.
void showWarning(QWidget& box, const QString& note);

} // namespace quorbin
