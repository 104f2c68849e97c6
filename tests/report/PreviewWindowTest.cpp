// The preview window, offscreen: pages appear as they are produced, the status bar, the keys,
// printing through a PDF printer, and how Report::preview() waits for the window.
#include "platform/report/PreviewWindow.h"

#include "platform/report/DataSet.h"
#include "platform/report/Report.h"

#include <QApplication>
#include <QProcess>
#include <QScrollArea>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

using namespace yvo::report;

namespace {

struct Fixture {
    Report report{QStringLiteral("Preview")};
    MemoryDataSet data{{QStringLiteral("n")}, {}};

    explicit Fixture(int rows) {
        report.setDataSet(&data);
        for (int i = 1; i <= rows; ++i)
            data.rows().push_back({i});
        Band detail;
        detail.name = "Detail";
        detail.kind = BandKind::Detail;
        detail.height = 10;
        Element text;
        text.name = "N";
        text.kind = ElementKind::DataText;
        text.text = "n";
        text.rect = {10, 1, 40, 5};
        detail.add(text);
        report.addBand(std::move(detail));
    }
};

void finishGeneration(PreviewWindow& window) {
    while (window.generating())
        QCoreApplication::processEvents();
}

// Runs action on the preview window as soon as one is open.
void whenPreviewOpens(std::function<void(PreviewWindow&)> action);

PreviewWindow* openPreview() {
    for (QWidget* widget : QApplication::topLevelWidgets())
        if (auto* window = qobject_cast<PreviewWindow*>(widget); window && window->isVisible())
            return window;
    return nullptr;
}

void whenPreviewOpens(std::function<void(PreviewWindow&)> action) {
    auto* poll = new QTimer(QCoreApplication::instance());
    QObject::connect(poll, &QTimer::timeout, [poll, action] {
        if (PreviewWindow* window = openPreview()) {
            poll->deleteLater();
            poll->stop();
            action(*window);
        }
    });
    poll->start(5);
}

} // namespace

TEST(PreviewWindow, ShowsTheFirstPageAtOnceAndCountsPagesInTheStatusBar) {
    Fixture f(2500); // 25 rows a page: 100 pages
    PreviewWindow window;
    window.show();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    window.generate(f.report);
    EXPECT_GE(window.pages().size(), 1u);
    EXPECT_EQ(window.windowTitle(), "Print Preview");
    finishGeneration(window);
    EXPECT_EQ(window.pages().size(), 100u);
    EXPECT_EQ(window.statusText(), "100 % Page 1 of 100");
    EXPECT_FALSE(f.report.isGenerating());

    struct Step {
        int key;
        int page;
    };
    const Step steps[] = {{Qt::Key_PageDown, 1}, {Qt::Key_PageDown, 2},  {Qt::Key_PageUp, 1},
                          {Qt::Key_End, 99},     {Qt::Key_PageDown, 99}, {Qt::Key_Home, 0}};
    for (const Step& step : steps) {
        QTest::keyClick(&window, Qt::Key(step.key));
        EXPECT_EQ(window.currentPage(), step.page) << step.key;
    }
    EXPECT_EQ(window.statusText(), "100 % Page 1 of 100");
    bool closed = false;
    QObject::connect(&window, &PreviewWindow::closed, [&] { closed = true; });
    QTest::keyClick(&window, Qt::Key_Escape);
    EXPECT_TRUE(closed);
}

TEST(PreviewWindow, ClosingWhileGeneratingCancelsTheRun) {
    Fixture f(200000);
    PreviewWindow window;
    window.show();
    window.generate(f.report);
    ASSERT_TRUE(window.generating());
    window.close();
    EXPECT_FALSE(window.generating());
    EXPECT_FALSE(f.report.isGenerating());
}

TEST(PreviewWindow, PrintsTheChosenPagesThroughThePrinter) {
    QTemporaryDir dir;
    Fixture f(60);
    PreviewWindow window;
    window.generate(f.report);
    finishGeneration(window);
    ASSERT_EQ(window.pages().size(), 3u);
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(dir.filePath("printed.pdf"));
    printPages(printer, window.pages(), 1, 2);
    QProcess pdftotext;
    pdftotext.start("pdftotext", {"-layout", dir.filePath("printed.pdf"), "-"});
    ASSERT_TRUE(pdftotext.waitForFinished());
    const QString text = QString::fromUtf8(pdftotext.readAllStandardOutput());
    EXPECT_FALSE(text.contains(QRegularExpression("^\\s*25\\s*$", QRegularExpression::MultilineOption)));
    EXPECT_TRUE(text.contains(QRegularExpression("^\\s*26\\s*$", QRegularExpression::MultilineOption)));
    EXPECT_TRUE(text.contains(QRegularExpression("^\\s*60\\s*$", QRegularExpression::MultilineOption)));
    EXPECT_EQ(text.count(QLatin1Char('\f')), 2);
}

TEST(PreviewWindow, AWholePageFitsWithoutScrollBarsWhateverTheWindowHeight) {
    Fixture f(3);
    PreviewWindow window;
    window.show();
    window.generate(f.report);
    finishGeneration(window);
    auto* scroll = window.findChild<QScrollArea*>();
    ASSERT_NE(scroll, nullptr);
    for (int height = 500; height <= 1100; height += 7) {
        window.resize(1280, height);
        QCoreApplication::processEvents();
        EXPECT_FALSE(scroll->verticalScrollBar()->isVisible()) << "window height " << height;
        EXPECT_FALSE(scroll->horizontalScrollBar()->isVisible()) << "window height " << height;
    }
}

TEST(PreviewHost, PreviewReturnsWhenTheWindowIsClosed) {
    installPreviewWindow();
    Fixture f(40);
    QString caption;
    bool maximized = false;
    whenPreviewOpens([&](PreviewWindow& window) {
        caption = window.windowTitle();
        maximized = window.isMaximized();
        window.close();
    });
    f.report.preview();
    EXPECT_EQ(caption, "Print Preview");
    EXPECT_TRUE(maximized);
    EXPECT_EQ(openPreview(), nullptr);
}

TEST(PreviewHost, APreviewOfTheReportBeingGeneratedReturnsAtOnce) {
    installPreviewWindow();
    Fixture f(200000);
    int windowsDuringNestedPreview = -1;
    bool nestedReturned = false;
    whenPreviewOpens([&](PreviewWindow& window) {
        EXPECT_TRUE(f.report.isGenerating());
        f.report.preview(); // a second command for the same report while its pages are produced
        nestedReturned = true;
        windowsDuringNestedPreview = 0;
        for (QWidget* widget : QApplication::topLevelWidgets())
            if (qobject_cast<PreviewWindow*>(widget) && widget->isVisible())
                ++windowsDuringNestedPreview;
        window.close();
    });
    f.report.preview();
    EXPECT_TRUE(nestedReturned);
    EXPECT_EQ(windowsDuringNestedPreview, 1);
}

TEST(PreviewHost, AnErrorDuringGenerationLeavesPreviewAsAnException) {
    installPreviewWindow();
    Fixture f(3000);
    int calls = 0;
    f.report.band(u"Detail")->beforePrint = [&](Band&, bool&) {
        if (++calls == 2000)
            throw std::runtime_error("Field 'x' not found");
    };
    EXPECT_THROW(f.report.preview(), std::runtime_error);
    EXPECT_EQ(openPreview(), nullptr);
    EXPECT_FALSE(f.report.isGenerating());
}
