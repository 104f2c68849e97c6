#include "platform/ui/ErrorGuard.h"

#include <QApplication>
#include <QFileInfo>
#include <QMessageBox>

namespace yvo::ui {

namespace {

void showInMessageBox(const QString& title, const QString& text) {
    QMessageBox box(QMessageBox::Critical, title, text, QMessageBox::Ok, QApplication::activeWindow());
    box.exec();
}

ErrorPresenter& presenter() {
    static ErrorPresenter current = showInMessageBox;
    return current;
}

} // namespace

QString applicationTitle() {
    return applicationTitleFor(QCoreApplication::applicationFilePath());
}

QString applicationTitleFor(const QString& programFilePath) {
    const QString name = QFileInfo(programFilePath).fileName();
    const QString stem = name.section(QLatin1Char('.'), 0, 0);
    return stem.left(1) + stem.mid(1).toLower();
}

QString errorBoxText(const QString& message) {
    if (!message.isEmpty() && message.back() > QLatin1Char('.'))
        return message + QLatin1Char('.');
    return message;
}

void showErrorBox(const QString& message) {
    presenter()(applicationTitle(), errorBoxText(message));
}

ErrorPresenter setErrorPresenter(ErrorPresenter replacement) {
    ErrorPresenter previous = std::move(presenter());
    presenter() = replacement ? std::move(replacement) : ErrorPresenter(showInMessageBox);
    return previous;
}

void guarded(const std::function<void()>& handler) {
    try {
        handler();
    } catch (const std::exception& error) {
        showErrorBox(QString::fromUtf8(error.what()));
    } catch (...) {
        showErrorBox(QStringLiteral("An unexpected error occurred"));
    }
}

} // namespace yvo::ui
