#pragma once
// The one place where errors end: every event handler runs behind guarded(), which shows the message
// of an escaped exception in the error box and lets the event loop go on.

#include <QString>
#include <exception>
#include <functional>

namespace yvo::ui {

// The application's title as the error box shows it: the program file's name up to its first full
// stop, its first letter unchanged and the others in lower case ("YVOreport" gives "Yvoreport").
QString applicationTitle();
QString applicationTitleFor(const QString& programFilePath);

// The message as the box shows it: "." is added when its last character sorts after ".".
QString errorBoxText(const QString& message);

// Shows the box: title applicationTitle(), error icon, OK. Tests and tools replace the presenter.
using ErrorPresenter = std::function<void(const QString& title, const QString& text)>;
void showErrorBox(const QString& message);
ErrorPresenter setErrorPresenter(ErrorPresenter presenter); // returns the previous one

// Runs handler; an exception that escapes it is shown with showErrorBox() and goes no further.
void guarded(const std::function<void()>& handler);

} // namespace yvo::ui
