#pragma once
// The named colours the forms use. System colours are fixed at their values in the default desktop
// scheme, so the program looks the same whatever theme the desktop runs.

#include <QColor>

namespace yvo::ui::colours {

// A colour as a form stores it: a number 0x00BBGGRR (8454016 is light green, RGB 128, 255, 128).
inline QColor fromStored(quint32 bgr) {
    return QColor(int(bgr & 0xFF), int((bgr >> 8) & 0xFF), int((bgr >> 16) & 0xFF));
}

inline const QColor clBlack{0, 0, 0};
inline const QColor clWhite{255, 255, 255};
inline const QColor clYellow{255, 255, 0};
inline const QColor clMaroon{128, 0, 0};

inline const QColor clWindow{255, 255, 255};              // window background
inline const QColor clWindowText{0, 0, 0};                // window text
inline const QColor clInfoBk{255, 255, 225};              // tooltip background, pale yellow
inline const QColor clBtnFace{212, 208, 200};             // button face
inline const QColor clBtnShadow{128, 128, 128};           // the dark edge of a 3D frame
inline const QColor clBtnHighlight{255, 255, 255};        // the light edge of a 3D frame
inline const QColor cl3DDkShadow{64, 64, 64};             // the outer dark edge of a raised button
inline const QColor clInactiveCaptionText{212, 208, 200}; // text of an inactive title bar

} // namespace yvo::ui::colours
