// yvo-screenshot-main-window OUT.png --folder DIR [--today YYYY-MM-DD] [--locale NAME] [--calendar CAL.png]
// Opens the main window on DIR/YVO.mdb as the program would and saves what it shows. With --today
// the window opens on that date rather than the real one, so the picture can be made again
// unchanged; --calendar also saves the start date's drop-down calendar. Run it offscreen
// (QT_QPA_PLATFORM=offscreen) or on any display.

#include "app/MainForm.h"
#include "data/YVODataModule.h"
#include "platform/db/ProgramFile.h"
#include "platform/ui/DatePicker.h"
#include "platform/ui/ErrorGuard.h"

#include <QApplication>
#include <QCalendarWidget>
#include <QDate>
#include <QLocale>
#include <QPixmap>
#include <QStringList>
#include <cstdio>
#include <memory>

namespace {

struct Arguments {
    QString out;
    QString folder;
    QString calendar;
    QDate today;
    QString locale;
};

bool parse(const QStringList& args, Arguments& parsed) {
    for (int i = 0; i < args.size(); ++i) {
        const QString& arg = args[i];
        const bool hasValue = i + 1 < args.size();
        if (arg == QLatin1String("--folder") && hasValue)
            parsed.folder = args[++i];
        else if (arg == QLatin1String("--calendar") && hasValue)
            parsed.calendar = args[++i];
        else if (arg == QLatin1String("--locale") && hasValue)
            parsed.locale = args[++i];
        else if (arg == QLatin1String("--today") && hasValue) {
            parsed.today = QDate::fromString(args[++i], Qt::ISODate);
            if (!parsed.today.isValid())
                return false;
        } else if (parsed.out.isEmpty() && !arg.startsWith(QLatin1Char('-')))
            parsed.out = arg;
        else
            return false;
    }
    return !parsed.out.isEmpty() && !parsed.folder.isEmpty();
}

bool save(const QPixmap& picture, const QString& file) {
    if (picture.save(file, "PNG"))
        return true;
    std::fprintf(stderr, "yvo-screenshot-main-window: cannot write %s\n", qPrintable(file));
    return false;
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    Arguments args;
    if (!parse(app.arguments().mid(1), args)) {
        std::fprintf(stderr, "usage: yvo-screenshot-main-window OUT.png --folder DIR [--today YYYY-MM-DD] "
                             "[--locale NAME] [--calendar CAL.png]\n");
        return 2;
    }
    if (!args.locale.isEmpty())
        QLocale::setDefault(QLocale(args.locale));
    if (args.today.isValid())
        TFmain::setClock([today = args.today] { return QDateTime(today, QTime(12, 0)); });
    // An error box would wait for a click; say it on the terminal instead and grab what shows.
    yvo::ui::setErrorPresenter([](const QString&, const QString& text) {
        std::fprintf(stderr, "yvo-screenshot-main-window: %s\n", qPrintable(text));
    });
    yvo::db::setProgramFilePath(args.folder + QStringLiteral("/YVOreport"));

    auto dm = std::make_unique<TdmYVO>();
    dmYVO = dm.get();
    yvo::ui::guarded([&] { dm->DataModuleCreate(); });
    auto form = std::make_unique<TFmain>();
    Fmain = form.get();
    yvo::ui::guarded([&] { form->FormCreate(); });

    form->show();
    form->activateWindow();
    QApplication::processEvents();
    bool saved = save(form->grab(), args.out);
    if (!args.calendar.isEmpty()) {
        QCalendarWidget* calendar = form->DTPStart->calendarWidget();
        calendar->setSelectedDate(form->DTPStart->date());
        calendar->resize(calendar->sizeHint());
        saved = save(calendar->grab(), args.calendar) && saved;
    }

    form->FormDestroy();
    form.reset();
    Fmain = nullptr;
    dm->DataModuleDestroy();
    dm.reset();
    dmYVO = nullptr;
    return saved ? 0 : 1;
}
