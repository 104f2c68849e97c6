// The layout engine on small in-memory data sets: which band lands on which page, running sums,
// empty runs, and how text elements size themselves.
#include "platform/report/Layout.h"

#include "platform/report/DataSet.h"
#include "platform/report/Report.h"

#include <QDateTime>
#include <gtest/gtest.h>

using namespace yvo::report;

namespace {

// A page of 100 mm usable height (plus two 10 mm margins), 100 mm wide between margins.
PageSetup smallPage() {
    PageSetup page;
    page.paper = QSizeF(120, 120);
    page.leftMargin = page.rightMargin = page.topMargin = page.bottomMargin = 10;
    return page;
}

Element label(const QString& name, const QString& caption, QRectF rect = {0, 0, 60, 4}) {
    Element element;
    element.name = name;
    element.kind = ElementKind::Label;
    element.text = caption;
    element.rect = rect;
    element.transparent = true;
    return element;
}

Element dataText(const QString& name, const QString& column, QRectF rect = {0, 0, 60, 4}) {
    Element element = label(name, column, rect);
    element.kind = ElementKind::DataText;
    return element;
}

Element sum(const QString& name, const QString& expression, const QString& mask,
            QRectF rect = {0, 0, 60, 4}) {
    Element element = label(name, expression, rect);
    element.kind = ElementKind::Expression;
    element.mask = mask;
    return element;
}

Band band(const QString& name, BandKind kind, double height) {
    Band band;
    band.name = name;
    band.kind = kind;
    band.height = height;
    return band;
}

// A report whose every band shows one text saying which band it is; the detail shows the row's "key"
// and "n"; group headers show "H:" and the key, footers "F:" and the subtotal of "n".
struct Fixture {
    Report report{QStringLiteral("Test")};
    MemoryDataSet data{{QStringLiteral("key"), QStringLiteral("n")}, {}};

    explicit Fixture(double title = 20, double header = 10, double detail = 10, double summary = 15,
                     bool groups = false) {
        report.page = smallPage();
        report.setDataSet(&data);
        if (title > 0)
            report.addBand(band("Title", BandKind::Title, title)).add(label("LTitle", "Title"));
        if (header > 0)
            report.addBand(band("Header", BandKind::ColumnHeader, header)).add(label("LHeader", "Header"));
        if (groups) {
            Band& group = report.addBand(band("Group", BandKind::GroupHeader, 8));
            group.groupExpression = "Data.key";
            group.add(dataText("GKey", "key"));
        }
        Band& rows = report.addBand(band("Detail", BandKind::Detail, detail));
        rows.add(dataText("DKey", "key", {0, 0, 20, 4}));
        rows.add(dataText("DN", "n", {30, 0, 20, 4}));
        if (groups) {
            Band& footer = report.addBand(band("Footer", BandKind::GroupFooter, 8));
            footer.add(sum("FSum", "SUM(Data.n)", "0.00"));
            report.band(u"Group")->footer = &footer;
        }
        if (summary > 0)
            report.addBand(band("Summary", BandKind::Summary, summary))
                .add(sum("STotal", "SUM(Data.n)", "0.00"));
    }

    void addRows(std::initializer_list<std::pair<const char*, double>> rows) {
        for (const auto& [key, n] : rows)
            data.rows().push_back({QString::fromUtf8(key), n});
    }
    void addRows(int count) {
        for (int i = 1; i <= count; ++i)
            data.rows().push_back({QStringLiteral("r%1").arg(i), double(i)});
    }
};

// Each page as its texts in drawing order, the detail's two cells joined ("r1 1.00" reads "r1|1").
std::vector<QStringList> pageTexts(const std::vector<Page>& pages) {
    std::vector<QStringList> result;
    for (const Page& page : pages) {
        QStringList texts;
        for (const TextItem* text : page.texts())
            texts << text->text();
        result.push_back(texts);
    }
    return result;
}

// The top of each text on a page, in mm from the paper's top edge.
std::vector<double> tops(const Page& page) {
    std::vector<double> result;
    for (const TextItem* text : page.texts())
        result.push_back(text->rect.top());
    return result;
}

QStringList rows(int from, int to) {
    QStringList texts;
    for (int i = from; i <= to; ++i)
        texts << QStringLiteral("r%1").arg(i) << QString::number(i);
    return texts;
}

} // namespace

TEST(Pagination, ColumnHeaderRepeatsAndTitlePrintsOnce) {
    Fixture f;
    f.addRows(10); // title 20 + header 10 + 7 rows of 10 fill page 1 exactly
    const auto pages = layoutReport(f.report);
    ASSERT_EQ(pages.size(), 2u);
    const auto texts = pageTexts(pages);
    EXPECT_EQ(texts[0], QStringList({"Title", "Header"}) + rows(1, 7));
    EXPECT_EQ(texts[1], QStringList({"Header"}) + rows(8, 10) + QStringList({"55.00"}));
    const std::vector<double> page2{10, 20, 20, 30, 30, 40, 40, 50};
    EXPECT_EQ(tops(pages[1]), page2);
}

TEST(Pagination, BandsStartANewPageOnlyWhenTheyDoNotFit) {
    struct Case {
        const char* why;
        int rows;
        double summary;
        std::vector<int> textsPerPage;
    };
    const Case cases[] = {
        // page 1: title, header, 7 rows; page 2: header, 2 rows, summary (10+20+15 <= 100)
        {"summary fits under the last rows", 9, 15, {16, 6}},
        // 6 more rows and the summary: 10 + 60 + 35 > 100, so the summary moves on
        {"summary that does not fit goes to a new page under the column header", 13, 35, {16, 13, 2}},
        {"one row", 1, 15, {5}},
    };
    for (const Case& c : cases) {
        Fixture f(20, 10, 10, c.summary);
        f.addRows(c.rows);
        const auto pages = layoutReport(f.report);
        std::vector<int> counts;
        for (const Page& page : pages)
            counts.push_back(int(page.texts().size()));
        EXPECT_EQ(counts, c.textsPerPage) << c.why;
        EXPECT_EQ(pages.back().texts().back()->text(), QString::number(c.rows * (c.rows + 1) / 2) + ".00")
            << c.why;
        if (pages.size() > 1) {
            EXPECT_EQ(pages.back().texts().front()->text(), "Header") << c.why;
        }
    }
}

TEST(Pagination, ABandTallerThanAPagePrintsAloneRatherThanLoopingForever) {
    Fixture f(20, 0, 150, 0);
    f.addRows(2);
    const auto pages = layoutReport(f.report);
    ASSERT_EQ(pages.size(), 3u);
    EXPECT_EQ(pageTexts(pages)[1], rows(1, 1));
    EXPECT_EQ(pageTexts(pages)[2], rows(2, 2));
}

TEST(Groups, NonAdjacentKeysFormSeparateGroupsWithTheirOwnSubtotals) {
    Fixture f(0, 0, 4, 4, true);
    f.addRows({{"A", 1}, {"A", 2}, {"B", 4}, {"A", 8}, {"a", 16}});
    const auto texts = pageTexts(layoutReport(f.report));
    ASSERT_EQ(texts.size(), 1u);
    EXPECT_EQ(texts[0], QStringList({"A", "A", "1", "A", "2", "3.00", // group A
                                     "B", "B", "4", "4.00",           // group B
                                     "A", "A", "8", "8.00",           // A again: a group of its own
                                     "a", "a", "16", "16.00",         // case matters
                                     "31.00"}));                      // grand total
}

TEST(Groups, AGroupGoingOnToANewPageDoesNotRepeatItsHeader) {
    Fixture f(0, 0, 10, 0, true);
    for (int i = 0; i < 12; ++i)
        f.data.rows().push_back({QStringLiteral("K"), 1.0});
    const auto texts = pageTexts(layoutReport(f.report));
    ASSERT_EQ(texts.size(), 2u);
    EXPECT_EQ(texts[0].front(), "K");
    EXPECT_EQ(texts[0].count("K"), 1 + 9); // header, then 9 rows of 10 mm under the 8 mm header
    EXPECT_EQ(texts[1].count("K"), 3);     // rows only
    EXPECT_EQ(texts[1].back(), "12.00");
}

TEST(Sums, RunningSumsStartFromZeroInEveryRun) {
    Fixture f(0, 0, 10, 15, true);
    f.addRows({{"A", 1.5}, {"B", 2}});
    f.data.rows().push_back({QStringLiteral("B"), QVariant()}); // a null amount counts as 0
    const auto first = pageTexts(layoutReport(f.report));
    const auto second = pageTexts(layoutReport(f.report));
    EXPECT_EQ(first, second);
    EXPECT_EQ(first[0], QStringList({"A", "A", "1.5", "1.50", "B", "B", "2", "B", "", "2.00", "3.50"}));
}

TEST(Sums, AnAbandonedRunLeavesNothingForTheNext) {
    Fixture f(0, 0, 10, 15);
    f.addRows(30);
    {
        LayoutRun run(f.report);
        ASSERT_TRUE(run.nextPage());
        EXPECT_TRUE(f.report.isGenerating());
    }
    EXPECT_FALSE(f.report.isGenerating());
    const auto pages = layoutReport(f.report);
    EXPECT_EQ(pages.back().texts().back()->text(), "465.00");
}

TEST(Empty, PrintIfEmptyGivesTitleOneDetailOnNoRowAndSummary) {
    Fixture f(20, 10, 10, 15, true);
    f.report.printIfEmpty = true;
    const auto pages = layoutReport(f.report);
    ASSERT_EQ(pages.size(), 1u);
    // no column header, no group bands; the detail on no row shows empty cells; the sum is 0
    EXPECT_EQ(pageTexts(pages)[0], QStringList({"Title", "", "", "0.00"}));
    const std::vector<double> expectedTops{10, 30, 30, 40};
    EXPECT_EQ(tops(pages[0]), expectedTops);
}

TEST(Empty, WithoutPrintIfEmptyThereAreNoPages) {
    Fixture f;
    EXPECT_TRUE(layoutReport(f.report).empty());
    Report unbound(QStringLiteral("No data set"));
    unbound.printIfEmpty = true;
    unbound.addBand(band("Title", BandKind::Title, 10)).add(label("L", "Only the title"));
    EXPECT_EQ(pageTexts(layoutReport(unbound)), std::vector<QStringList>{{"Only the title"}});
}

TEST(Handlers, RunBeforeTheirBandOnceAndMaySkipIt) {
    Fixture f(20, 10, 10, 15);
    f.addRows(9);
    int detailCalls = 0;
    f.report.band(u"Title")->beforePrint = [](Band& sender, bool&) {
        sender.element(u"LTitle")->text = QStringLiteral("Set by handler");
    };
    f.report.band(u"Detail")->beforePrint = [&](Band&, bool& print) { print = ++detailCalls % 2 == 1; };
    const auto pages = layoutReport(f.report);
    EXPECT_EQ(detailCalls, 9);
    ASSERT_EQ(pages.size(), 1u);
    const auto texts = pageTexts(pages)[0];
    EXPECT_EQ(texts.front(), "Set by handler");
    EXPECT_EQ(texts.mid(2, 4), QStringList({"r1", "1", "r3", "3"}));
    EXPECT_EQ(texts.back(), "25.00"); // skipped rows are not summed
}

TEST(Values, DataTextsShowNullsMasksAndDates) {
    Report report(QStringLiteral("Values"));
    report.page = smallPage();
    report.printIfEmpty = true;
    MemoryDataSet data({"Text", "Amount", "When"},
                       {{QVariant(), QVariant(), QDateTime(QDate(2024, 3, 1), QTime(0, 0), Qt::UTC)},
                        {"x", 1234.5, QDateTime(QDate(2024, 3, 1), QTime(14, 5, 9), Qt::UTC)}});
    report.setDataSet(&data);
    Band& rows = report.addBand(band("Detail", BandKind::Detail, 10));
    rows.add(dataText("Text", "TEXT"));
    Element masked = dataText("Amount", "amount");
    masked.mask = "#,0.00";
    rows.add(masked);
    rows.add(dataText("When", "when"));
    rows.add(dataText("Missing", "no such column"));
    Element maskedMissing = dataText("MissingMasked", "no such column");
    maskedMissing.mask = "0.00";
    rows.add(maskedMissing);
    const auto texts = pageTexts(layoutReport(report));
    ASSERT_EQ(texts.size(), 1u);
    EXPECT_EQ(texts[0],
              QStringList({"", "0.00", "3/1/2024", "", "", "x", "1,234.50", "3/1/2024 2:05:09 PM", "", ""}));
}

TEST(TextSizing, SizedToTextGrowsAwayFromItsAlignedEdge) {
    Report report(QStringLiteral("Sizing"));
    report.page = smallPage();
    report.printIfEmpty = true;
    Band& title = report.addBand(band("Title", BandKind::Title, 30));
    Element left = label("Left", "A caption much wider than its design box", {10, 0, 5, 4});
    left.sizedToText = true;
    Element right = left;
    right.name = "Right";
    right.alignment = Alignment::Right;
    right.rect = {40, 10, 5, 4};
    Element fixed = left;
    fixed.name = "Fixed";
    fixed.sizedToText = false;
    fixed.wordWrap = false;
    fixed.rect = {10, 20, 5, 4};
    title.add(left);
    title.add(right);
    title.add(fixed);
    const auto pages = layoutReport(report);
    const auto texts = pages.at(0).texts();
    ASSERT_EQ(texts.size(), 3u);
    EXPECT_DOUBLE_EQ(texts[0]->rect.left(), 20.0); // margin 10 + 10
    EXPECT_GT(texts[0]->rect.width(), 50.0);
    EXPECT_FALSE(texts[0]->clip);
    EXPECT_DOUBLE_EQ(texts[1]->rect.right(), 55.0); // margin 10 + 45 stays
    EXPECT_NEAR(texts[1]->rect.width(), texts[0]->rect.width(), 1e-9);
    EXPECT_EQ(texts[1]->lines.size(), 1);
    EXPECT_DOUBLE_EQ(texts[2]->rect.width(), 5.0); // fixed: keeps its box, clipped
    EXPECT_TRUE(texts[2]->clip);
}

TEST(TextSizing, AGrowingElementWrapsAndPushesTheNextBandDown) {
    Report report(QStringLiteral("Grows"));
    report.page = smallPage();
    MemoryDataSet data({"text"},
                       {{"short"}, {"several words that cannot share one line of this narrow box"}, {"end"}});
    report.setDataSet(&data);
    Band& rows = report.addBand(band("Detail", BandKind::Detail, 6));
    Element grows = dataText("Grows", "text", {2, 1, 30, 4.5});
    grows.grows = true;
    rows.add(grows);
    Element fixed = dataText("Fixed", "text", {40, 1, 30, 4.5});
    rows.add(fixed);
    const auto pages = layoutReport(report);
    const auto texts = pages.at(0).texts();
    ASSERT_EQ(texts.size(), 6u);
    const TextItem& wrapped = *texts[2];
    EXPECT_GE(wrapped.lines.size(), 3);
    EXPECT_DOUBLE_EQ(wrapped.rect.height(), wrapped.lines.size() * wrapped.lineHeight);
    EXPECT_DOUBLE_EQ(texts[3]->rect.height(), 4.5); // the fixed one keeps its height and clips
    EXPECT_EQ(texts[3]->lines, wrapped.lines);
    const double growth = wrapped.rect.height() - 4.5;
    EXPECT_NEAR(texts[4]->rect.top(), 10 + 6 + 6 + growth + 1, 1e-9);
}

TEST(TextSizing, WordsWrapAtBlanksAndAmountsAreNeverCut) {
    Report report(QStringLiteral("Amounts"));
    report.page = smallPage();
    MemoryDataSet data({"amount", "words"}, {{1234567.891, "one two three four"}});
    report.setDataSet(&data);
    Band& rows = report.addBand(band("Detail", BandKind::Detail, 6));
    Element amount = dataText("Amount", "amount", {40, 0, 5, 4});
    amount.mask = "#,0.00";
    amount.alignment = Alignment::Right;
    rows.add(amount);
    rows.add(dataText("Words", "words", {0, 0, 12, 4}));
    const auto pages = layoutReport(report);
    const auto texts = pages.at(0).texts();
    EXPECT_EQ(texts[0]->lines, QStringList{"1,234,567.89"}); // no break after a separator
    EXPECT_FALSE(texts[0]->clip);
    EXPECT_DOUBLE_EQ(texts[0]->rect.right(), 55.0);
    EXPECT_GT(texts[1]->lines.size(), 1);
    EXPECT_EQ(texts[1]->lines.join(' '), "one two three four");
    EXPECT_TRUE(texts[1]->clip); // a fixed text box shows what fits
}

TEST(Expressions, OnlySumsOfAColumnAreUnderstood) {
    EXPECT_EQ(sumColumn("SUM(QDetailReport.TotalDue)"), "TotalDue");
    EXPECT_EQ(sumColumn(" sum( Paid ) "), "Paid");
    EXPECT_THROW(sumColumn("COUNT(x)"), std::invalid_argument);
    EXPECT_EQ(columnOf("QSummary.strType"), "strType");
}
