#include "platform/ui/DatePicker.h"

#include "platform/text/Regional.h"

#include <QCalendarWidget>
#include <QEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QTextCharFormat>

namespace yvo::ui {

DatePicker::DatePicker(QWidget* parent) : QDateEdit(parent) {
    setCalendarPopup(true);
    setDisplayFormat(text::shortDateFormat());
    setFocusPolicy(Qt::StrongFocus);
    calendarWidget()->setVerticalHeaderFormat(QCalendarWidget::NoVerticalHeader);
}

void DatePicker::changeEvent(QEvent* event) {
    if (event->type() == QEvent::FontChange)
        calendarWidget()->setFont(font());
    QDateEdit::changeEvent(event);
}

bool DatePicker::focusNextPrevChild(bool next) {
    return QWidget::focusNextPrevChild(next);
}

void DatePicker::keyPressEvent(QKeyEvent* event) {
    const QString text = event->text();
    const bool separator = text.size() == 1 && text.front().isPrint() && !text.front().isLetterOrNumber() &&
                           displayFormat().contains(text) &&
                           !(event->modifiers() & ~(Qt::ShiftModifier | Qt::KeypadModifier));
    if (!separator) {
        QDateEdit::keyPressEvent(event);
        return;
    }
    event->accept();
    const int next = currentSectionIndex() + 1;
    const bool justReached =
        lineEdit()->hasSelectedText() && lineEdit()->selectedText() == sectionText(currentSection());
    if (next < sectionCount() && !justReached)
        setSelectedSection(sectionAt(next));
}

void DatePicker::setFieldColor(const QColor& color) {
    QPalette pal = palette();
    pal.setColor(QPalette::Base, color);
    setPalette(pal);
}

void DatePicker::setCalendarColors(const CalendarColors& colors) {
    QCalendarWidget* calendar = calendarWidget();
    QPalette pal = calendar->palette();
    for (const auto group : {QPalette::Active, QPalette::Inactive}) {
        pal.setColor(group, QPalette::Window, colors.background);
        pal.setColor(group, QPalette::Base, colors.monthBackground);
        pal.setColor(group, QPalette::AlternateBase, colors.monthBackground); // behind the weekday names
        pal.setColor(group, QPalette::Text, colors.dayText);
        pal.setColor(group, QPalette::Highlight, colors.titleBackground);
        pal.setColor(group, QPalette::HighlightedText, colors.titleText);
    }
    pal.setColor(QPalette::Disabled, QPalette::Text, colors.trailingText);
    calendar->setPalette(pal);

    // Every day of the week in the day colour: no red weekends.
    QTextCharFormat day;
    day.setForeground(colors.dayText);
    for (int weekday = Qt::Monday; weekday <= Qt::Sunday; ++weekday)
        calendar->setWeekdayTextFormat(Qt::DayOfWeek(weekday), day);
    QTextCharFormat header;
    header.setForeground(colors.titleBackground);
    header.setBackground(colors.monthBackground);
    calendar->setHeaderTextFormat(header);
}

} // namespace yvo::ui
