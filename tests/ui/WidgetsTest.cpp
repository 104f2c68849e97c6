#include "platform/ui/CheckListBox.h"
#include "platform/ui/ColorBitBtn.h"
#include "platform/ui/Colours.h"
#include "platform/ui/DatePicker.h"
#include "platform/ui/Fonts.h"
#include "platform/ui/Glyphs.h"
#include "tests/support/TestSupport.h"

#include <QApplication>
#include <QCalendarWidget>
#include <QFontInfo>
#include <QLineEdit>
#include <QPixmap>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>
#include <stdexcept>

using yvo::ui::CheckListBox;
using yvo::ui::ColorBitBtn;
using yvo::ui::DatePicker;
namespace colours = yvo::ui::colours;

namespace {

// A shown, active window to put one widget in, so focus and keys behave as on a desktop.
struct Host {
    QWidget window;
    Host() {
        window.resize(300, 200);
        QPalette palette = window.palette();
        palette.setColor(QPalette::Window, colours::clInfoBk);
        window.setPalette(palette);
    }
    void show(QWidget& focus) {
        window.show();
        window.activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&window));
        focus.setFocus();
        QApplication::processEvents();
    }
};

QColor pixel(QWidget& widget, QPoint at) {
    return widget.grab().toImage().pixelColor(at);
}

TEST(Fonts, DesignFontsResolveToTheMetricCompatibleSans) {
    const QFont font = yvo::ui::msSansSerif();
    EXPECT_EQ(font.family(), QStringLiteral("MS Sans Serif"));
    EXPECT_EQ(font.pixelSize(), 11);
    EXPECT_EQ(QFontInfo(font).family(), QStringLiteral("Liberation Sans"));
    EXPECT_TRUE(yvo::ui::msSansSerif(true).bold());
    QFont arial(QStringLiteral("Arial"));
    EXPECT_EQ(QFontInfo(arial).family(), QStringLiteral("Liberation Sans"));
}

TEST(ColorBitBtn, PaintsItsOwnColourOrElseItsWindows) {
    Host host;
    ColorBitBtn own(&host.window);
    own.setColor(QColor(128, 255, 128));
    ColorBitBtn plain(&host.window);
    plain.move(0, 40);
    EXPECT_EQ(own.size(), QSize(75, 25));
    EXPECT_EQ(own.faceColor(), QColor(128, 255, 128));
    EXPECT_EQ(plain.faceColor(), colours::clInfoBk);
    host.show(own);
    EXPECT_EQ(pixel(own, {10, 12}), QColor(128, 255, 128));
    EXPECT_EQ(pixel(plain, {10, 12}), colours::clInfoBk);
}

TEST(ColorBitBtn, CloseKindSuppliesCaptionAndGlyphUnlessACaptionIsStored) {
    ColorBitBtn close;
    close.setKind(ColorBitBtn::Kind::Close);
    EXPECT_EQ(close.text(), QStringLiteral("&Close"));
    EXPECT_FALSE(close.icon().isNull());
    EXPECT_EQ(close.iconSize(), QSize(16, 16));

    ColorBitBtn stored;
    stored.setText(QStringLiteral("Quit"));
    stored.setKind(ColorBitBtn::Kind::Close);
    EXPECT_EQ(stored.text(), QStringLiteral("Quit"));
}

TEST(ColorBitBtn, SpaceEnterAndMnemonicClickItWhenFocused) {
    Host host;
    ColorBitBtn button(&host.window);
    button.setKind(ColorBitBtn::Kind::Close);
    QSignalSpy clicks(&button, &QAbstractButton::clicked);
    host.show(button);
    QTest::keyClick(&button, Qt::Key_Space);
    QTest::keyClick(&button, Qt::Key_Return);
    QTest::keyClick(&button, Qt::Key_Enter, Qt::KeypadModifier);
    QTest::keyClick(&button, Qt::Key_Return, Qt::ControlModifier);
    EXPECT_EQ(clicks.count(), 3);
    QTest::keyClick(&host.window, Qt::Key_C, Qt::AltModifier); // clicks after a short animation
    EXPECT_TRUE(QTest::qWaitFor([&] { return clicks.count() == 4; }, 1000));
    EXPECT_TRUE(host.window.isVisible()); // a click never closes the window by itself
}

TEST(ColorBitBtn, DrawsAFocusRectangleOnlyWhileFocused) {
    Host host;
    ColorBitBtn button(&host.window);
    button.setColor(QColor(128, 255, 128));
    ColorBitBtn other(&host.window);
    other.move(0, 40);
    host.show(other);
    const QImage unfocused = button.grab().toImage();
    button.setFocus();
    QApplication::processEvents();
    const QImage focused = button.grab().toImage();
    // The dotted line along the top of the rectangle, four pixels inside the edge.
    const auto dots = [](const QImage& image) {
        int count = 0;
        for (int x = 4; x < 71; ++x)
            count += image.pixelColor(x, 4) == colours::clBlack;
        return count;
    };
    EXPECT_EQ(dots(unfocused), 0);
    EXPECT_GT(dots(focused), 25);
}

TEST(Glyphs, CloseGlyphHasRedArrowAndAGreyedCopy) {
    const QIcon glyph = yvo::ui::closeGlyph();
    const QImage normal = glyph.pixmap(16, 16, QIcon::Normal).toImage();
    const QImage disabled = glyph.pixmap(16, 16, QIcon::Disabled).toImage();
    ASSERT_EQ(normal.size(), QSize(16, 16));
    int red = 0;
    int coloured = 0;
    for (int y = 0; y < 16; ++y) {
        for (int x = 0; x < 16; ++x) {
            const QColor n = normal.pixelColor(x, y);
            const QColor d = disabled.pixelColor(x, y);
            red += n.alpha() == 255 && n.red() > 150 && n.green() < 60;
            coloured += d.alpha() > 0 && (d.red() != d.green() || d.green() != d.blue());
        }
    }
    EXPECT_GT(red, 10);
    EXPECT_EQ(coloured, 0);
}

TEST(DatePicker, ShowsTheLocalesShortDateWithAFourDigitYear) {
    struct Case {
        const char* why;
        QLocale locale;
        const char* shown;
    };
    const Case cases[] = {
        {"US month first", QLocale(QLocale::English, QLocale::UnitedStates), "3/5/2024"},
        {"German day first with dots", QLocale(QLocale::German, QLocale::Germany), "05.03.2024"},
        {"British two-digit year widened", QLocale(QLocale::English, QLocale::UnitedKingdom), "05/03/2024"},
    };
    for (const Case& c : cases) {
        yvo::test::LocaleScope scope(c.locale);
        DatePicker picker;
        picker.setDate(QDate(2024, 3, 5));
        EXPECT_EQ(picker.findChild<QLineEdit*>()->text(), QLatin1String(c.shown)) << c.why;
        EXPECT_TRUE(picker.calendarPopup()) << c.why;
    }
}

TEST(DatePicker, CalendarTakesItsColoursWithoutRedWeekends) {
    DatePicker picker;
    picker.setCalendarColors({colours::clWhite, colours::clYellow, QColor(240, 202, 166), colours::clBlack,
                              colours::clMaroon, colours::clInactiveCaptionText});
    const QCalendarWidget* calendar = picker.calendarWidget();
    const QPalette palette = calendar->palette();
    EXPECT_EQ(palette.color(QPalette::Base), colours::clMaroon);
    EXPECT_EQ(palette.color(QPalette::Text), colours::clYellow);
    EXPECT_EQ(palette.color(QPalette::Highlight), QColor(240, 202, 166));
    EXPECT_EQ(palette.color(QPalette::HighlightedText), colours::clBlack);
    EXPECT_EQ(palette.color(QPalette::Disabled, QPalette::Text), colours::clInactiveCaptionText);
    EXPECT_EQ(calendar->weekdayTextFormat(Qt::Sunday).foreground().color(), colours::clYellow);
    EXPECT_EQ(calendar->weekdayTextFormat(Qt::Saturday).foreground().color(), colours::clYellow);
}

TEST(DatePicker, TabLeavesThePickerAndEnterIsPassedOn) {
    Host host;
    DatePicker picker(&host.window);
    QLineEdit next(&host.window);
    next.move(0, 40);
    host.show(picker);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), &next);

    picker.setFocus();
    QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
    QApplication::sendEvent(QApplication::focusWidget(), &enter);
    EXPECT_FALSE(enter.isAccepted());
}

TEST(DatePicker, ADateTypedAsShownFillsThePickerAndKeepsTheFocus) {
    struct Case {
        const char* why;
        QLocale locale;
        const char* typed;
        QDate date;
    };
    const QLocale us(QLocale::English, QLocale::UnitedStates);
    const QLocale german(QLocale::German, QLocale::Germany);
    const Case cases[] = {
        {"one-digit month and day", us, "3/1/2024", {2024, 3, 1}},
        {"a complete month moves on by itself: the separator after it is not a second step",
         us,
         "12/31/2024",
         {2024, 12, 31}},
        {"one-digit month that could take a second digit", us, "1/31/2025", {2025, 1, 31}},
        {"German, two-digit day and month", german, "01.03.2024", {2024, 3, 1}},
        {"German, one-digit day and month", german, "1.3.2024", {2024, 3, 1}},
    };
    for (const Case& c : cases) {
        yvo::test::LocaleScope scope(c.locale);
        Host host;
        DatePicker picker(&host.window);
        QLineEdit next(&host.window);
        next.move(0, 40);
        picker.setDate(QDate(2023, 7, 15));
        host.show(picker);
        // A double click selects the first part of the date, as a user starts typing over it.
        auto* edit = picker.findChild<QLineEdit*>();
        QTest::mouseDClick(edit, Qt::LeftButton, {}, QPoint(4, edit->height() / 2));
        QTest::keyClicks(QApplication::focusWidget(), QLatin1String(c.typed));
        EXPECT_EQ(QApplication::focusWidget(), &picker) << c.why;
        EXPECT_EQ(picker.date().toString(Qt::ISODate), c.date.toString(Qt::ISODate)) << c.why;
        EXPECT_TRUE(next.text().isEmpty()) << c.why;
    }
}

TEST(CheckListBox, RowsKeepTheirOrderAndTicks) {
    CheckListBox list;
    list.addRow(QStringLiteral("Rent"));
    list.addRow(QStringLiteral("Consulting"));
    list.addRow(QStringLiteral("Rent"));
    ASSERT_EQ(list.count(), 3);
    EXPECT_EQ(list.item(0)->text(), QStringLiteral("Rent"));
    EXPECT_EQ(list.item(1)->text(), QStringLiteral("Consulting"));
    EXPECT_FALSE(list.isChecked(0));
    list.setChecked(2, true);
    EXPECT_TRUE(list.isChecked(2));
    EXPECT_FALSE(list.isChecked(0));
    EXPECT_THROW(list.isChecked(3), std::out_of_range);
    EXPECT_THROW(list.setChecked(-1, true), std::out_of_range);
}

TEST(CheckListBox, SpaceTogglesTheFocusedRowAndAClickOnItsBoxToo) {
    Host host;
    CheckListBox list(&host.window);
    list.resize(200, 100);
    list.setItemHeight(13);
    for (const char* text : {"Consulting", "Rent", "Travel"})
        list.addRow(QLatin1String(text));
    host.show(list);
    list.setCurrentRow(1);
    QTest::keyClick(&list, Qt::Key_Space);
    EXPECT_FALSE(list.isChecked(0));
    EXPECT_TRUE(list.isChecked(1));
    QTest::keyClick(&list, Qt::Key_Space);
    EXPECT_FALSE(list.isChecked(1));

    const QRect row2 = list.visualItemRect(list.item(2));
    EXPECT_EQ(row2.height(), 13);
    QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, row2.topLeft() + QPoint(6, 6));
    EXPECT_TRUE(list.isChecked(2));
    QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, row2.topLeft() + QPoint(60, 6)); // on the text
    EXPECT_TRUE(list.isChecked(2));
}

} // namespace
