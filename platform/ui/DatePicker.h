#pragma once
// A date field with a drop-down calendar, in the locale's short date format with a four-digit year.
// The field edits typed text itself; Enter in it is passed on to the window, which does nothing with it.

#include <QColor>
#include <QDateEdit>

namespace yvo::ui {

class DatePicker : public QDateEdit {
    Q_OBJECT
public:
    struct CalendarColors {
        QColor background;      // around the month
        QColor dayText;         // the day numbers of the month shown
        QColor titleBackground; // the title bar with month and year; also marks the chosen day
        QColor titleText;
        QColor monthBackground; // behind the days
        QColor trailingText;    // days of the neighbouring months
    };

    explicit DatePicker(QWidget* parent = nullptr);

    // The colour of the field behind the date text.
    void setFieldColor(const QColor& color);
    void setCalendarColors(const CalendarColors& colors);

protected:
    // The calendar drops down in a window of its own, which inherits nothing: it follows the
    // picker's font here.
    void changeEvent(QEvent* event) override;
    // Tab and Shift+Tab leave the picker for the next control rather than walk its day, month and
    // year; the arrow keys move between those.
    bool focusNextPrevChild(bool next) override;
    // A date typed as it is shown, separators included, fills the picker: a separator moves on to
    // the next part of the date, unless that part has just been reached because the previous one
    // was complete; it never leaves the picker.
    void keyPressEvent(QKeyEvent* event) override;
};

} // namespace yvo::ui
