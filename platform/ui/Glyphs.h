#pragma once
// The glyphs that button kinds supply, drawn here in code: each is a 16 x 16 image for the normal
// state and a greyed copy of it for the disabled state.

#include <QIcon>

class QPixmap;

namespace yvo::ui {

// A grey open door with a red arrow leaving through it.
QIcon closeGlyph();
// A green check mark.
QIcon okGlyph();

// The disabled look: the glyph's shape embossed, dark grey over a white copy one pixel lower right.
QPixmap greyedGlyph(const QPixmap& glyph);

} // namespace yvo::ui
