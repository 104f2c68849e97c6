#pragma once
// The whole program on a fixture billing file, driven as a user drives it: the real start-up
// (YVOreport), clicks on the visible buttons and radio buttons, ticks clicked in the category list
// and dates typed into the pickers. Error boxes are collected instead of shown, "today" is fixed,
// and every preview goes to a recording host that lays the report out and keeps its pages.

#include "app/MainForm.h"
#include "app/YVOreport.h"
#include "platform/db/ProgramFile.h"
#include "platform/report/Layout.h"
#include "platform/report/Page.h"
#include "platform/report/PreviewHost.h"
#include "platform/report/PreviewWindow.h"
#include "platform/report/Report.h"
#include "platform/ui/CheckListBox.h"
#include "platform/ui/DatePicker.h"
#include "platform/ui/ErrorGuard.h"
#include "tests/support/BillingFixture.h"
#include "tests/support/TestSupport.h"

#include <QAbstractButton>
#include <QApplication>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <algorithm>
#include <functional>
#include <gtest/gtest.h>
#include <memory>
#include <optional>
#include <utility>
#include <vector>

namespace yvo::test {

// One preview as the user got it: the report's name and every page of its run.
struct Preview {
    QString report;
    std::vector<report::Page> pages;
};

// Lays each report out, page by page, and keeps the pages. A hook runs once, inside the next
// preview: whileGenerating after its run has started and before its first page, whileOpen once its
// pages are all there, as if the user acted while the preview window was up.
class RecordingHost : public report::PreviewHost {
public:
    using Hook = std::function<void()>;

    void whileGenerating(Hook hook) { m_whileGenerating = std::move(hook); }
    void whileOpen(Hook hook) { m_whileOpen = std::move(hook); }
    const std::vector<Preview>& previews() const { return m_previews; }

    void show(report::Report& shown) override {
        report::LayoutRun run(shown);
        if (Hook hook = std::exchange(m_whileGenerating, nullptr))
            hook();
        Preview preview{shown.name(), {}};
        while (auto page = run.nextPage())
            preview.pages.push_back(std::move(*page));
        m_previews.push_back(std::move(preview));
        if (Hook hook = std::exchange(m_whileOpen, nullptr))
            hook();
    }

private:
    std::vector<Preview> m_previews;
    Hook m_whileGenerating;
    Hook m_whileOpen;
};

// A page read as a user reads it: its non-empty texts in lines from top to bottom, each line's
// texts from left to right, joined by " | ". Texts whose tops lie within 2 mm share a line.
inline QStringList lines(const report::Page& page) {
    std::vector<const report::TextItem*> items;
    for (const report::TextItem* text : page.texts())
        if (!text->text().isEmpty())
            items.push_back(text);
    std::stable_sort(items.begin(), items.end(),
                     [](auto* a, auto* b) { return a->rect.top() < b->rect.top(); });
    QStringList result;
    for (std::size_t first = 0; first < items.size();) {
        std::size_t end = first;
        while (end < items.size() && items[end]->rect.top() - items[first]->rect.top() < 2.0)
            ++end;
        std::vector<const report::TextItem*> line(items.begin() + qsizetype(first),
                                                  items.begin() + qsizetype(end));
        std::stable_sort(line.begin(), line.end(),
                         [](auto* a, auto* b) { return a->rect.left() < b->rect.left(); });
        QStringList texts;
        for (const auto* text : line)
            texts << text->text();
        result << texts.join(QStringLiteral(" | "));
        first = end;
    }
    return result;
}

// Every page's lines, one after the other.
inline QStringList lines(const Preview& preview) {
    QStringList result;
    for (const auto& page : preview.pages)
        result << lines(page);
    return result;
}

// Every draw record of the pages, with its place, size, font and text: two previews with the same
// records look exactly the same.
inline QStringList records(const Preview& preview) {
    QStringList result;
    const auto rect = [](const QRectF& r) {
        return QStringLiteral("%1,%2 %3x%4").arg(r.x()).arg(r.y()).arg(r.width()).arg(r.height());
    };
    for (const auto& page : preview.pages) {
        result << QStringLiteral("page %1x%2").arg(page.paper.width()).arg(page.paper.height());
        for (const auto& item : page.items) {
            if (const auto* run = std::get_if<report::TextRun>(&item)) {
                const report::TextItem text = page.text(*run);
                result << QStringLiteral("text %1 %2 %3 [%4]")
                              .arg(rect(text.rect), text.font.toString())
                              .arg(int(text.alignment))
                              .arg(text.lines.join(u'\n'));
            } else if (const auto* line = std::get_if<report::LineItem>(&item))
                result << QStringLiteral("line %1,%2 %3,%4")
                              .arg(line->line.x1())
                              .arg(line->line.y1())
                              .arg(line->line.x2())
                              .arg(line->line.y2());
            else if (const auto* box = std::get_if<report::RectItem>(&item))
                result << QStringLiteral("rect %1 %2 %3")
                              .arg(rect(box->rect), box->fill ? box->fill->name() : QStringLiteral("-"))
                              .arg(box->outline);
        }
    }
    return result;
}

// The real preview windows now open and shown.
inline std::vector<report::PreviewWindow*> openPreviewWindows() {
    std::vector<report::PreviewWindow*> windows;
    for (QWidget* widget : QApplication::topLevelWidgets())
        if (auto* window = qobject_cast<report::PreviewWindow*>(widget); window && window->isVisible())
            windows.push_back(window);
    return windows;
}

// Runs action from the event loop once count preview windows are open and done generating, as a
// user acts on what the windows show; gives up after 20 seconds.
inline void whenPreviewWindowsOpen(std::size_t count, std::function<void()> action) {
    auto* poll = new QTimer(QCoreApplication::instance());
    QObject::connect(poll, &QTimer::timeout, poll, [poll, count, action = std::move(action)] {
        const auto windows = openPreviewWindows();
        if (windows.size() != count ||
            std::any_of(windows.begin(), windows.end(), [](auto* window) { return window->generating(); }))
            return;
        poll->stop();
        poll->deleteLater();
        action();
    });
    poll->start(5);
    QTimer::singleShot(20000, poll, [poll] { poll->deleteLater(); }); // given up: the test fails
}

// The program started on a billing file made of the schema and sql (or on a folder without one),
// on 3/15/2024 at 10:30, in the locale given. Tests reach the modules through their globals
// (Fmain, dmYVO, ...), as the program's own code does.
class Program {
public:
    static QDate today() { return {2024, 3, 15}; }

    struct NoDatabase {};

    explicit Program(const QString& sql,
                     const QLocale& locale = QLocale(QLocale::English, QLocale::UnitedStates))
        : m_locale(locale) {
        m_fixture.emplace(sql);
        start();
    }
    Program(NoDatabase, const QLocale& locale = QLocale(QLocale::English, QLocale::UnitedStates))
        : m_locale(locale) {
        m_emptyFolder.emplace();
        db::setProgramFilePath(m_emptyFolder->path() + QStringLiteral("/YVOreport"));
        start();
    }
    ~Program() {
        m_program.reset(); // while the error box is still intercepted
        report::setPreviewHost(std::move(m_previousHost));
        TFmain::setClock(m_previousClock);
        ui::setErrorPresenter(m_previousPresenter);
        if (m_emptyFolder)
            db::setProgramFilePath({});
    }
    Program(const Program&) = delete;
    Program& operator=(const Program&) = delete;

    YVOreport& program() { return *m_program; }
    // Destroys the six modules, as the end of the program does.
    void end() { m_program.reset(); }

    const BillingFixture& file() const { return *m_fixture; }
    RecordingHost& host() { return *m_host; }
    const std::vector<Preview>& previews() const { return m_host->previews(); }
    const Preview& lastPreview() const {
        EXPECT_FALSE(previews().empty());
        return previews().back();
    }
    // What the error boxes said, and their titles.
    const QStringList& errors() const { return m_errors; }
    const QStringList& errorTitles() const { return m_errorTitles; }

    // Clicks a report button and returns the preview it opened, or nothing.
    std::optional<Preview> run(QAbstractButton* button) {
        const std::size_t before = previews().size();
        button->click();
        if (previews().size() == before)
            return std::nullopt;
        return previews().back();
    }

    // Clicks the row's tick box when its tick is not already as wanted.
    static void tick(int row, bool ticked) {
        ui::CheckListBox& list = *Fmain->CLBCat;
        ASSERT_LT(row, list.count());
        if (list.isChecked(row) == ticked)
            return;
        list.scrollToItem(list.item(row));
        const QRect rect = list.visualItemRect(list.item(row));
        QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, rect.topLeft() + QPoint(7, rect.height() / 2));
        ASSERT_EQ(list.isChecked(row), ticked) << "row " << row;
    }
    static void tickOnly(const QStringList& categories) {
        for (int row = 0; row < Fmain->CLBCat->count(); ++row)
            tick(row, categories.contains(Fmain->CLBCat->item(row)->text()));
    }

    // Types the date into the picker as it is shown, separators included: a double click on its
    // first part selects that part, the typed text fills the parts one after the other, and Tab
    // leaves the picker.
    static void type(ui::DatePicker* picker, const QString& date) {
        auto* edit = picker->findChild<QLineEdit*>();
        ASSERT_NE(edit, nullptr);
        QTest::mouseDClick(edit, Qt::LeftButton, {}, QPoint(4, edit->height() / 2));
        QTest::keyClicks(picker, date);
        ASSERT_EQ(QApplication::focusWidget(), picker) << date.toStdString();
        QTest::keyClick(picker, Qt::Key_Tab);
        ASSERT_EQ(edit->text(), date);
    }
    static void typeDates(const QString& start, const QString& end) {
        type(Fmain->DTPStart, start);
        type(Fmain->DTPEnd, end);
    }

private:
    void start() {
        m_previousPresenter = ui::setErrorPresenter([this](const QString& title, const QString& text) {
            m_errorTitles << title;
            m_errors << text;
        });
        m_previousClock = TFmain::setClock([] { return QDateTime(today(), QTime(10, 30)); });
        auto host = std::make_unique<RecordingHost>();
        m_host = host.get();
        m_previousHost = report::setPreviewHost(std::move(host));
        m_program = std::make_unique<YVOreport>();
        Fmain->show();
        Fmain->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(Fmain));
    }

    LocaleScope m_locale;
    std::optional<BillingFixture> m_fixture;
    std::optional<QTemporaryDir> m_emptyFolder;
    QStringList m_errors;
    QStringList m_errorTitles;
    ui::ErrorPresenter m_previousPresenter;
    TFmain::Clock m_previousClock;
    std::unique_ptr<report::PreviewHost> m_previousHost;
    RecordingHost* m_host = nullptr;
    std::unique_ptr<YVOreport> m_program;
};

} // namespace yvo::test
