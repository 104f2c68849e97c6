#pragma once
// The forms ask for their fonts by the names they were designed with. "MS Sans Serif" and "Arial" are
// not installed here; both are mapped to Liberation Sans, which has Arial's metrics and at the same
// pixel height keeps every caption inside its control. DejaVu Sans stands in when it is missing.

#include <QFont>

namespace yvo::ui {

// Registers the substitutes with QFont. Safe to call more than once.
void installFontSubstitutes();

// "MS Sans Serif" 8 pt at 96 dpi: a character height of 11 pixels, regular or bold.
QFont msSansSerif(bool bold = false);

} // namespace yvo::ui
