// The main window, driven offscreen as a user would: what it shows, where, in which order the
// keyboard reaches it, and how the category list follows the product type.

#include "app/MainForm.h"

#include "data/YVODataModule.h"
#include "platform/db/Query.h"
#include "platform/text/StringList.h"
#include "platform/ui/Bevel.h"
#include "platform/ui/CheckListBox.h"
#include "platform/ui/ColorBitBtn.h"
#include "platform/ui/DatePicker.h"
#include "platform/ui/ErrorGuard.h"
#include "tests/support/BillingFixture.h"
#include "tests/support/TestSupport.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCalendarWidget>
#include <QFontInfo>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QScreen>
#include <QTest>
#include <gtest/gtest.h>
#include <memory>
#include <optional>
#include <vector>

namespace {

// A small billing file: income and expense categories, two with the same description, and one of a
// type that is neither.
const QString kCategories = QStringLiteral(R"(
INSERT INTO INEXTB VALUES (10, 'Consulting', 'IN'), (20, 'Rent', 'EX'), (11, 'Training', 'IN'),
                          (21, 'Travel', 'EX'), (12, 'Consulting', 'IN'), (30, 'Misc', 'XX');
)");

const QDateTime kNow(QDate(2024, 3, 15), QTime(10, 30));

// The program's start-up as far as the main window: dmYVO connects, then Fmain is built and its
// creation handler runs. Error boxes are collected instead of shown.
class MainWindow : public testing::Test {
protected:
    explicit MainWindow(const QString& sql = kCategories, bool withFile = true) {
        if (withFile) {
            fixture.emplace(sql);
        } else {
            missing.emplace();
            yvo::db::setProgramFilePath(missing->path() + QStringLiteral("/YVOreport"));
        }
        previousPresenter =
            yvo::ui::setErrorPresenter([this](const QString&, const QString& text) { errors << text; });
        previousClock = TFmain::setClock([] { return kNow; });
        dm = std::make_unique<TdmYVO>();
        dmYVO = dm.get();
        yvo::ui::guarded([this] { dm->DataModuleCreate(); });
        form = std::make_unique<TFmain>();
        Fmain = form.get();
        form->move(211, 131);
        yvo::ui::guarded([this] { form->FormCreate(); });
    }
    ~MainWindow() override {
        form->FormDestroy();
        form.reset();
        Fmain = nullptr;
        dm.reset();
        dmYVO = nullptr;
        TFmain::setClock(previousClock);
        yvo::ui::setErrorPresenter(previousPresenter);
        if (missing)
            yvo::db::setProgramFilePath({});
    }

    void show() {
        form->show();
        form->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
    }

    QStringList rows() const {
        QStringList texts;
        for (int i = 0; i < form->CLBCat->count(); ++i)
            texts << form->CLBCat->item(i)->text();
        return texts;
    }
    int ticked() const {
        int count = 0;
        for (int i = 0; i < form->CLBCat->count(); ++i)
            count += form->CLBCat->isChecked(i);
        return count;
    }
    std::vector<qint32> listedCodes() const {
        const auto& codes = form->productCodes();
        return {codes.begin(), codes.begin() + form->CLBCat->count()};
    }

    std::optional<yvo::test::BillingFixture> fixture;
    std::optional<QTemporaryDir> missing;
    QStringList errors;
    yvo::ui::ErrorPresenter previousPresenter;
    TFmain::Clock previousClock;
    std::unique_ptr<TdmYVO> dm;
    std::unique_ptr<TFmain> form;
};

// --- What the window shows ----------------------------------------------------------------------

TEST_F(MainWindow, IsAFixedDialogFrameWithOnlyACloseBoxCentredOnTheScreen) {
    EXPECT_EQ(form->windowTitle(), QStringLiteral("Corvessa Report Generator"));
    EXPECT_EQ(form->minimumSize(), QSize(370, 333));
    EXPECT_EQ(form->maximumSize(), QSize(370, 333));
    const Qt::WindowFlags flags = form->windowFlags();
    EXPECT_TRUE(flags & Qt::WindowCloseButtonHint);
    EXPECT_FALSE(flags & Qt::WindowMinimizeButtonHint);
    EXPECT_FALSE(flags & Qt::WindowMaximizeButtonHint);
    EXPECT_TRUE(flags & Qt::MSWindowsFixedSizeDialogHint);
    show();
    EXPECT_EQ(form->size(), QSize(370, 333));
    const QPoint centre = form->screen()->availableGeometry().center();
    EXPECT_LE((form->frameGeometry().center() - centre).manhattanLength(), 2);
    EXPECT_EQ(form->font().family(), QStringLiteral("MS Sans Serif"));
    EXPECT_EQ(QFontInfo(form->font()).family(), QStringLiteral("Liberation Sans"));
    EXPECT_EQ(form->font().pixelSize(), 11);
}

struct Expected {
    const char* name;
    const char* className;
    QRect geometry;
    const char* caption;
    const char* hint;
    bool visible;
};

TEST_F(MainWindow, EveryControlStandsWhereTheDesignPutsIt) {
    // Labels size themselves to their text, so only their position is fixed.
    const Expected controls[] = {
        {"DTPStart", "yvo::ui::DatePicker", {66, 38, 89, 21}, "3/15/2024", "", true},
        {"DTPEnd", "yvo::ui::DatePicker", {226, 38, 89, 21}, "3/15/2024", "", true},
        {"RBIncome", "QRadioButton", {25, 102, 113, 17}, "Income", "", true},
        {"RBExpense", "QRadioButton", {25, 126, 113, 17}, "Expense", "", true},
        {"RBBoth", "QRadioButton", {25, 151, 113, 17}, "Both", "", true},
        {"CLBCat", "yvo::ui::CheckListBox", {152, 96, 209, 161}, "", "", true},
        {"DetailedReportRzBitBtn",
         "yvo::ui::ColorBitBtn",
         {24, 190, 113, 25},
         "Detailed Report",
         "Show Detailed Report",
         true},
        {"SummaryReportRzBitBtn",
         "yvo::ui::ColorBitBtn",
         {24, 226, 113, 25},
         "Summary Report",
         "Show Summary Report",
         true},
        {"CheckAllRzBitBtn",
         "yvo::ui::ColorBitBtn",
         {160, 280, 75, 25},
         "Check All",
         "Check All Catagories",
         true},
        {"UnCheckAllRzBitBtn",
         "yvo::ui::ColorBitBtn",
         {272, 280, 75, 25},
         "UnCheck All",
         "UnCheck all Catagories",
         true},
        {"CloseRzBitBtn", "yvo::ui::ColorBitBtn", {40, 303, 75, 25}, "&Close", "", true},
        {"BBCheckAll", "QPushButton", {296, 4, 75, 25}, "Check All", "", false},
        {"BBUnCheckAll", "QPushButton", {288, 4, 81, 25}, "UnCheckAll", "", false},
        {"BBDetail", "QPushButton", {288, -1, 81, 25}, "Detailed Report", "", false},
        {"BBSummary", "QPushButton", {296, -1, 57, 25}, "Summary Report", "", false},
        {"BitBtn1", "QPushButton", {289, 0, 75, 25}, "Close", "", false},
        {"OpenInvoicesRzBitBtn",
         "yvo::ui::ColorBitBtn",
         {24, 264, 113, 25},
         "Open Invoices",
         "Show unpaid invoices independent of date",
         true},
        {"Bevel1", "yvo::ui::Bevel", {14, 10, 449, 401}, "", "", true},
        {"Image1", "QLabel", {0, 0, 370, 333}, "", "", true},
        {"Label1", "QLabel", {131, 17, 0, 0}, "1. Payment Date", "", true},
        {"Label2", "QLabel", {155, 78, 0, 0}, "3. Product Categories", "", true},
        {"Label3", "QLabel", {180, 45, 0, 0}, "to ", "", true},
        {"Label4", "QLabel", {248, 199, 0, 0}, "4. Choose Report", "", true},
        {"Label5", "QLabel", {11, 79, 0, 0}, "2. Product Type", "", true},
        {"Bevel2", "yvo::ui::Bevel", {16, 96, 129, 81}, "", "", true},
        {"Bevel3", "yvo::ui::Bevel", {8, 16, 17, 1}, "", "", false},
    };
    show();
    for (const Expected& c : controls) {
        SCOPED_TRACE(c.name);
        auto* widget = form->findChild<QWidget*>(QLatin1String(c.name));
        ASSERT_NE(widget, nullptr);
        EXPECT_EQ(widget->parentWidget(), form.get());
        EXPECT_STREQ(widget->metaObject()->className(), c.className);
        EXPECT_EQ(widget->toolTip(), QLatin1String(c.hint));
        EXPECT_EQ(widget->isVisible(), c.visible);
        QString caption;
        if (auto* button = qobject_cast<QAbstractButton*>(widget))
            caption = button->text();
        else if (auto* label = qobject_cast<QLabel*>(widget))
            caption = label->text();
        else if (auto* edit = widget->findChild<QLineEdit*>())
            caption = edit->text();
        EXPECT_EQ(caption, QLatin1String(c.caption));
        EXPECT_EQ(widget->pos(), c.geometry.topLeft());
        if (c.geometry.width() > 0) {
            EXPECT_EQ(widget->size(), c.geometry.size());
        } else { // a label: its text fits, one line high
            const QFontMetrics metrics(widget->font());
            EXPECT_GE(widget->width(), metrics.horizontalAdvance(caption));
            EXPECT_LE(widget->height(), 13);
        }
    }
    // The close button's caption is its kind's, and reads Close with the C underlined.
    EXPECT_EQ(form->CloseRzBitBtn->kind(), yvo::ui::ColorBitBtn::Kind::Close);
    EXPECT_EQ(form->CloseRzBitBtn->shortcut(), QKeySequence(Qt::ALT | Qt::Key_C));
}

TEST_F(MainWindow, EveryCaptionFitsItsControl) {
    show();
    for (QAbstractButton* button : form->findChildren<QAbstractButton*>()) {
        if (!button->isVisible())
            continue;
        SCOPED_TRACE(button->objectName().toStdString());
        const QFontMetrics metrics(button->font());
        int needed = metrics.size(Qt::TextShowMnemonic, button->text()).width() + 8;
        if (qobject_cast<QRadioButton*>(button))
            needed += 20; // the round indicator and its gap
        else if (!button->icon().isNull())
            needed += button->iconSize().width() + 4;
        EXPECT_LE(needed, button->width());
        EXPECT_LE(metrics.height(), button->height());
    }
    // The widest date in its field, beside the drop-down button.
    const QFontMetrics metrics(form->DTPStart->font());
    EXPECT_LE(metrics.horizontalAdvance(QStringLiteral("12/28/2024")) + 2,
              form->DTPStart->findChild<QLineEdit*>()->width());
}

TEST_F(MainWindow, LooksLikeMarbleWithYellowTypesPaleListAndGreenButtons) {
    show();
    const QImage image = form->grab().toImage();
    const auto at = [&](QWidget* w, QPoint offset) { return image.pixelColor(w->pos() + offset); };
    // The marble: dark and green wherever no control covers it.
    for (const QPoint p : {QPoint(5, 5), QPoint(360, 10), QPoint(200, 320), QPoint(150, 70)}) {
        const QColor c = image.pixelColor(p);
        EXPECT_GT(c.green(), c.red()) << p.x() << "," << p.y();
        EXPECT_GT(c.green(), c.blue()) << p.x() << "," << p.y();
        EXPECT_LT(c.lightness(), 140) << p.x() << "," << p.y();
    }
    EXPECT_EQ(at(form->RBIncome, {100, 8}), QColor(255, 255, 0));
    EXPECT_EQ(at(form->CLBCat, {180, 150}), QColor(255, 255, 225));
    EXPECT_EQ(at(form->DetailedReportRzBitBtn, {5, 12}), QColor(128, 255, 128));
    EXPECT_EQ(at(form->OpenInvoicesRzBitBtn, {5, 12}), QColor(128, 255, 128));
    EXPECT_EQ(at(form->CloseRzBitBtn, {5, 12}), QColor(255, 255, 225)); // the window's colour
    // The headings are white and bold over the marble.
    int white = 0;
    for (int x = 0; x < form->Label1->width(); ++x)
        for (int y = 0; y < form->Label1->height(); ++y)
            white += image.pixelColor(form->Label1->pos() + QPoint(x, y)) == QColor(255, 255, 255);
    EXPECT_GT(white, 40);
    EXPECT_TRUE(form->Label1->font().bold());
    // The calendars drop down in yellow on maroon under a light tan title bar.
    const QPalette calendar = form->DTPEnd->calendarWidget()->palette();
    EXPECT_EQ(calendar.color(QPalette::Text), QColor(255, 255, 0));
    EXPECT_EQ(calendar.color(QPalette::Base), QColor(128, 0, 0));
    EXPECT_EQ(calendar.color(QPalette::Highlight), QColor(240, 202, 166));
}

TEST_F(MainWindow, HiddenHeadingAndBevelLieUnderTheListAndThePicture) {
    show();
    // Every focusable control is stacked above every picture, label and bevel.
    const QObjectList children = form->children();
    const auto stackIndex = [&](QWidget* w) { return children.indexOf(w); };
    EXPECT_LT(stackIndex(form->Bevel1), stackIndex(form->Image1));
    EXPECT_LT(stackIndex(form->Label4), stackIndex(form->CLBCat));
    for (QWidget* graphic : std::initializer_list<QWidget*>{form->Label1, form->Label4, form->Bevel2})
        for (QWidget* control :
             std::initializer_list<QWidget*>{form->DTPStart, form->CLBCat, form->OpenInvoicesRzBitBtn})
            EXPECT_LT(stackIndex(graphic), stackIndex(control));
    EXPECT_TRUE(form->CLBCat->geometry().contains(form->Label4->geometry()));
}

// --- Keyboard -----------------------------------------------------------------------------------

TEST_F(MainWindow, TabVisitsTheVisibleControlsInOrderWithOnlyTheSelectedType) {
    show();
    const auto chain = [&] {
        std::vector<QString> names;
        names.push_back(QApplication::focusWidget()->objectName());
        for (int i = 0; i < 10; ++i) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            names.push_back(QApplication::focusWidget()->objectName());
        }
        return names;
    };
    ASSERT_EQ(QApplication::focusWidget(), form->DTPStart);
    const std::vector<QString> both = chain();
    EXPECT_EQ(both, (std::vector<QString>{"DTPStart", "DTPEnd", "RBBoth", "CLBCat", "DetailedReportRzBitBtn",
                                          "SummaryReportRzBitBtn", "CheckAllRzBitBtn", "UnCheckAllRzBitBtn",
                                          "CloseRzBitBtn", "OpenInvoicesRzBitBtn", "DTPStart"}));
    form->RBIncome->click();
    form->DTPStart->setFocus();
    const std::vector<QString> income = chain();
    EXPECT_EQ(income[2], QStringLiteral("RBIncome"));
    EXPECT_EQ(std::count(income.begin(), income.end(), QStringLiteral("RBBoth")), 0);
    form->DTPStart->setFocus();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab, Qt::ShiftModifier);
    EXPECT_EQ(QApplication::focusWidget(), form->OpenInvoicesRzBitBtn);
}

TEST_F(MainWindow, ArrowKeysChooseAnotherTypeAndReloadTheList) {
    show();
    form->RBBoth->setFocus();
    QTest::keyClick(form->RBBoth, Qt::Key_Up);
    EXPECT_TRUE(form->RBExpense->isChecked());
    EXPECT_EQ(rows(), (QStringList{"Rent", "Travel"}));
}

TEST_F(MainWindow, EnterInAPickerOrTheListAndEscapeRunNothing) {
    show();
    int clicks = 0;
    for (QAbstractButton* button : form->findChildren<QAbstractButton*>())
        QObject::connect(button, &QAbstractButton::clicked, [&clicks] { ++clicks; });
    form->CLBCat->setChecked(0, false);
    for (QWidget* target : std::initializer_list<QWidget*>{form->DTPStart, form->DTPEnd, form->CLBCat}) {
        target->setFocus();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Enter, Qt::KeypadModifier);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
    }
    QTest::qWait(50);
    EXPECT_EQ(clicks, 0);
    EXPECT_TRUE(form->isVisible());
    EXPECT_FALSE(form->CLBCat->isChecked(0));
    EXPECT_EQ(form->DTPStart->date(), QDate(2024, 3, 15));
}

TEST_F(MainWindow, SpaceTicksTheFocusedRowAndEnterOrSpaceClickTheFocusedButton) {
    show();
    form->CLBCat->setFocus();
    form->CLBCat->setCurrentRow(1);
    QTest::keyClick(form->CLBCat, Qt::Key_Space);
    EXPECT_FALSE(form->CLBCat->isChecked(1));
    EXPECT_EQ(ticked(), 4);
    form->CheckAllRzBitBtn->setFocus();
    QTest::keyClick(form->CheckAllRzBitBtn, Qt::Key_Return);
    EXPECT_EQ(ticked(), 5);
    form->UnCheckAllRzBitBtn->setFocus();
    QTest::keyClick(form->UnCheckAllRzBitBtn, Qt::Key_Space);
    EXPECT_EQ(ticked(), 0);
}

TEST_F(MainWindow, AltCAndTheCloseButtonCloseTheWindow) {
    show();
    QTest::keyClick(form.get(), Qt::Key_C, Qt::AltModifier);
    EXPECT_TRUE(QTest::qWaitFor([&] { return !form->isVisible(); }, 1000));
    show();
    form->CloseRzBitBtn->click();
    EXPECT_FALSE(form->isVisible());
    EXPECT_TRUE(errors.isEmpty()) << errors.join(u'\n').toStdString();
}

// --- State and category selection ---------------------------------------------------------------

TEST_F(MainWindow, OpensOnTodayWithBothSelectedAndEveryCategoryTicked) {
    EXPECT_TRUE(errors.isEmpty()) << errors.join(u'\n').toStdString();
    EXPECT_EQ(form->DTPStart->date(), QDate(2024, 3, 15));
    EXPECT_EQ(form->DTPEnd->date(), QDate(2024, 3, 15));
    EXPECT_TRUE(form->RBBoth->isChecked());
    EXPECT_FALSE(form->RBIncome->isChecked());
    EXPECT_FALSE(form->RBExpense->isChecked());
    // In the query's order; the category of another type is left out.
    EXPECT_EQ(rows(), (QStringList{"Consulting", "Training", "Consulting", "Rent", "Travel"}));
    EXPECT_EQ(ticked(), 5);
    // Sized by the count of every category, whatever its type.
    EXPECT_EQ(form->productCodes().size(), 6u);
    EXPECT_EQ(listedCodes(), (std::vector<qint32>{10, 11, 12, 20, 21}));
}

TEST_F(MainWindow, TakesPristineCopiesOfTheThreeReportQueries) {
    ASSERT_NE(form->detailSQL(), nullptr);
    ASSERT_NE(form->summarySQL(), nullptr);
    ASSERT_NE(form->inExDetailSQL(), nullptr);
    EXPECT_EQ(form->detailSQL()->lines(), dmYVO->QDetailReport->sql().lines());
    EXPECT_EQ(form->summarySQL()->lines(), dmYVO->QSummary->sql().lines());
    EXPECT_EQ(form->inExDetailSQL()->lines(), dmYVO->QInExDetail->sql().lines());
    dmYVO->QDetailReport->sql().insert(18, QStringLiteral("FALSE and"));
    EXPECT_EQ(form->detailSQL()->count(), 23); // a copy, not the query's own lines
    form->FormDestroy();
    EXPECT_EQ(form->detailSQL(), nullptr);
    EXPECT_EQ(form->summarySQL(), nullptr);
    EXPECT_EQ(form->inExDetailSQL(), nullptr);
}

TEST_F(MainWindow, ChoosingATypeReloadsItsCategoriesAllTicked) {
    struct Case {
        const char* why;
        QRadioButton* TFmain::*button;
        QStringList rows;
        std::vector<qint32> codes;
    };
    const Case cases[] = {
        {"Income lists only IN", &TFmain::RBIncome, {"Consulting", "Training", "Consulting"}, {10, 11, 12}},
        {"Expense lists only EX", &TFmain::RBExpense, {"Rent", "Travel"}, {20, 21}},
        {"Both lists IN and EX",
         &TFmain::RBBoth,
         {"Consulting", "Training", "Consulting", "Rent", "Travel"},
         {10, 11, 12, 20, 21}},
        {"back to Income after Both",
         &TFmain::RBIncome,
         {"Consulting", "Training", "Consulting"},
         {10, 11, 12}},
    };
    for (const Case& c : cases) {
        form->BBUnCheckAllClick(); // hand-made ticks are not carried over
        (form.get()->*c.button)->click();
        EXPECT_EQ(rows(), c.rows) << c.why;
        EXPECT_EQ(listedCodes(), c.codes) << c.why;
        EXPECT_EQ(ticked(), c.rows.size()) << c.why;
    }
    EXPECT_TRUE(errors.isEmpty()) << errors.join(u'\n').toStdString();
}

TEST_F(MainWindow, ClickingTheSelectedTypeDoesNotReload) {
    form->CLBCat->setChecked(1, false);
    fixture->exec(QStringLiteral("INSERT INTO INEXTB VALUES (13, 'Royalties', 'IN');"));
    form->RBBoth->click();
    EXPECT_FALSE(form->CLBCat->isChecked(1));
    EXPECT_FALSE(rows().contains(QStringLiteral("Royalties")));
}

TEST_F(MainWindow, SameDescriptionsAreRowsOfTheirOwnWithTheirOwnCodes) {
    form->RBIncome->click();
    ASSERT_EQ(rows().count(QStringLiteral("Consulting")), 2);
    EXPECT_EQ(form->productCodes()[0], 10);
    EXPECT_EQ(form->productCodes()[2], 12);
}

TEST_F(MainWindow, CheckAllAndUnCheckAllButtons) {
    form->UnCheckAllRzBitBtn->click();
    EXPECT_EQ(ticked(), 0);
    form->CLBCat->setChecked(3, true);
    form->CheckAllRzBitBtn->click();
    EXPECT_EQ(ticked(), 5);
}

TEST_F(MainWindow, CategoriesAddedWhileRunningGetCodesOfTheirOwn) {
    // Counted 6 at start; the Income list grows to 5 and Both to 7 rows, past the count.
    fixture->exec(QStringLiteral("INSERT INTO INEXTB VALUES (14, 'Royalties', 'IN'), (15, 'Grants', 'IN'),"
                                 " (22, 'Phone', 'EX'), (23, 'Fuel', 'EX');"));
    form->RBIncome->click();
    form->RBBoth->click();
    ASSERT_EQ(form->CLBCat->count(), 9);
    EXPECT_GE(form->productCodes().size(), 9u);
    EXPECT_EQ(listedCodes(), (std::vector<qint32>{10, 11, 12, 14, 15, 20, 21, 22, 23}));
    EXPECT_EQ(ticked(), 9);
}

TEST_F(MainWindow, AFailingCategoryQueryEmptiesTheListUntilAReloadSucceeds) {
    fixture->exec(QStringLiteral("ALTER TABLE INEXTB RENAME TO GONE;"));
    form->RBIncome->click();
    ASSERT_EQ(errors.size(), 1);
    EXPECT_EQ(form->CLBCat->count(), 0);
    EXPECT_TRUE(form->RBIncome->isChecked());
    form->CheckAllRzBitBtn->click(); // the window stays usable
    form->UnCheckAllRzBitBtn->click();
    EXPECT_EQ(errors.size(), 1);
    fixture->exec(QStringLiteral("ALTER TABLE GONE RENAME TO INEXTB;"));
    form->RBExpense->click();
    EXPECT_EQ(rows(), (QStringList{"Rent", "Travel"}));
    EXPECT_EQ(ticked(), 2);
}

class EmptyCategories : public MainWindow {
protected:
    EmptyCategories() : MainWindow(QString()) {}
};

TEST_F(EmptyCategories, OpenNormallyWithAnEmptyList) {
    EXPECT_TRUE(errors.isEmpty()) << errors.join(u'\n').toStdString();
    EXPECT_EQ(form->CLBCat->count(), 0);
    EXPECT_TRUE(form->productCodes().empty());
    form->CheckAllRzBitBtn->click();
    form->RBExpense->click();
    EXPECT_EQ(form->CLBCat->count(), 0);
    show();
    EXPECT_TRUE(form->isVisible());
}

class MissingDatabase : public MainWindow {
protected:
    MissingDatabase() : MainWindow(QString(), false) {}
};

TEST_F(MissingDatabase, ShowsTheErrorsAndOpensWithAnEmptyList) {
    // The connection's error, then FormCreate's first query's; the rest of FormCreate is skipped.
    EXPECT_EQ(errors.size(), 2) << errors.join(u'\n').toStdString();
    EXPECT_EQ(form->CLBCat->count(), 0);
    EXPECT_TRUE(form->productCodes().empty());
    EXPECT_EQ(form->DTPStart->date(), QDate(2024, 3, 15));
    ASSERT_NE(form->detailSQL(), nullptr); // the snapshots are taken before the first query
    EXPECT_EQ(form->detailSQL()->count(), 23);
    show();
    form->RBIncome->click();
    EXPECT_EQ(errors.size(), 3);
    EXPECT_EQ(form->CLBCat->count(), 0);
    EXPECT_TRUE(form->RBIncome->isChecked());
    form->CloseRzBitBtn->click();
    EXPECT_FALSE(form->isVisible());
}

} // namespace
