#include "app/MainForm.h"

#include "app/ReportPreparation.h"
#include "data/OpenAccountDataModule.h"
#include "data/YVODataModule.h"
#include "platform/db/Query.h"
#include "platform/report/Report.h"
#include "platform/text/Regional.h"
#include "platform/text/StringList.h"
#include "platform/ui/Bevel.h"
#include "platform/ui/CheckListBox.h"
#include "platform/ui/ColorBitBtn.h"
#include "platform/ui/Colours.h"
#include "platform/ui/DatePicker.h"
#include "platform/ui/ErrorGuard.h"
#include "platform/ui/Fonts.h"
#include "platform/ui/Glyphs.h"
#include "reports/RptDetailForm.h"
#include "reports/RptOpenAccount.h"
#include "reports/RptSummaryForm.h"

#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QShowEvent>
#include <algorithm>
#include <type_traits>
#include <utility>

TFmain* Fmain = nullptr;

namespace {

using namespace yvo::ui::colours;
using yvo::ui::Bevel;
using yvo::ui::CheckListBox;
using yvo::ui::ColorBitBtn;
using yvo::ui::DatePicker;

// What the builder makes of a row of the table.
enum class Kind {
    DatePicker, // date picker with a drop-down calendar
    Radio,      // radio button; the three share the window as their group
    CheckList,  // check list box
    ColourBtn,  // colour bitmap button
    CloseBtn,   // colour bitmap button of the close kind: caption "&Close" and the door glyph
    BitBtn,     // standard bitmap button, no kind
    OkBitBtn,   // standard bitmap button of the OK kind: check-mark glyph, the default button
    PushBtn,    // push button
    BoxBevel,   // bevel, box shape, lowered
    FrameBevel, // bevel, frame shape
    Picture,    // picture stretched over its rectangle; the caption column names the image
    Label,      // label, sized to its text; transparent, so its own colour never shows
};

// "MS Sans Serif" 8 pt, regular or bold, in a colour; an invalid colour keeps the window's text colour.
struct Font {
    bool bold;
    QColor colour;
};

using Make = QWidget* (*)(TFmain&);
using Handler = void (TFmain::*)();

// Creates the control of one field of the window, owned by the window, and stores it in the field.
template <auto Field> QWidget* field(TFmain& form) {
    using Widget = std::remove_pointer_t<std::remove_cvref_t<decltype(form.*Field)>>;
    auto* widget = new Widget(&form);
    form.*Field = widget;
    return widget;
}

enum class State {
    Shown,
    Hidden,
    Selected, // shown, and the selected one of the radio buttons
};

struct Control {
    Make make;
    const char* name;
    Kind kind;
    QRect geometry;      // left, top, width, height, in pixels of the client area
    const char* caption; // empty: none
    const char* hint;    // empty: none
    QColor colour;       // invalid: none of its own
    Font font;
    int tab; // position in the tab order; -1 for controls that take no focus
    State state;
    Handler handler; // bound to the click (radio buttons: becoming selected); null: none
};

const QColor lightGreen = fromStored(8454016);
const QColor lightTan = fromStored(10930928);
const QColor none;

const Font windowFont{false, {}};
const Font boldBlack{true, clBlack};
const Font boldWhite{true, clWhite};

constexpr int noTab = -1;
constexpr State shown = State::Shown;
constexpr State hidden = State::Hidden;
constexpr State selected = State::Selected;
constexpr int checkListItemHeight = 13;

#define FIELD(name) &field<&TFmain::name>, #name

// The window's controls: first those that take the focus, in tab order, then the others in their
// creation order, which is also their painting order. Every focusable control is painted over all
// the others, so Label4 lies hidden under the category list, and Bevel1 under the picture.
// clang-format off
const Control controls[] = {
//   field                          kind              left, top, width, height caption                  hint                                        colour      font        tab    state     handler
    {FIELD(DTPStart),               Kind::DatePicker, {66, 38, 89, 21},        "",                      "",                                         clWhite,    windowFont, 0,     shown,    nullptr},
    {FIELD(DTPEnd),                 Kind::DatePicker, {226, 38, 89, 21},       "",                      "",                                         clWindow,   windowFont, 1,     shown,    nullptr},
    {FIELD(RBIncome),               Kind::Radio,      {25, 102, 113, 17},      "Income",                "",                                         clYellow,   boldBlack,  2,     shown,    &TFmain::RBIncomeClick},
    {FIELD(RBExpense),              Kind::Radio,      {25, 126, 113, 17},      "Expense",               "",                                         clYellow,   boldBlack,  3,     shown,    &TFmain::RBIncomeClick},
    {FIELD(RBBoth),                 Kind::Radio,      {25, 151, 113, 17},      "Both",                  "",                                         clYellow,   boldBlack,  4,     selected, &TFmain::RBIncomeClick},
    {FIELD(CLBCat),                 Kind::CheckList,  {152, 96, 209, 161},     "",                      "",                                         clInfoBk,   windowFont, 5,     shown,    nullptr},
    {FIELD(DetailedReportRzBitBtn), Kind::ColourBtn,  {24, 190, 113, 25},      "Detailed Report",       "Show Detailed Report",                     lightGreen, windowFont, 6,     shown,    &TFmain::DetailedReportRzBitBtnClick},
    {FIELD(SummaryReportRzBitBtn),  Kind::ColourBtn,  {24, 226, 113, 25},      "Summary Report",        "Show Summary Report",                      lightGreen, windowFont, 7,     shown,    &TFmain::SummaryReportRzBitBtnClick},
    {FIELD(CheckAllRzBitBtn),       Kind::ColourBtn,  {160, 280, 75, 25},      "Check All",             "Check All Catagories",                     lightGreen, windowFont, 8,     shown,    &TFmain::CheckAllRzBitBtnClick},
    {FIELD(UnCheckAllRzBitBtn),     Kind::ColourBtn,  {272, 280, 75, 25},      "UnCheck All",           "UnCheck all Catagories",                   lightGreen, windowFont, 9,     shown,    &TFmain::UnCheckAllRzBitBtnClick},
    {FIELD(CloseRzBitBtn),          Kind::CloseBtn,   {40, 303, 75, 25},       "",                      "",                                         none,       windowFont, 10,    shown,    &TFmain::CloseRzBitBtnClick},
    {FIELD(BBCheckAll),             Kind::BitBtn,     {296, 4, 75, 25},        "Check All",             "",                                         none,       windowFont, 11,    hidden,   &TFmain::BBCheckAllClick},
    {FIELD(BBUnCheckAll),           Kind::BitBtn,     {288, 4, 81, 25},        "UnCheckAll",            "",                                         none,       windowFont, 12,    hidden,   &TFmain::BBUnCheckAllClick},
    {FIELD(BBDetail),               Kind::PushBtn,    {288, -1, 81, 25},       "Detailed Report",       "",                                         none,       windowFont, 13,    hidden,   &TFmain::BBDetailClick},
    {FIELD(BBSummary),              Kind::PushBtn,    {296, -1, 57, 25},       "Summary Report",        "",                                         none,       windowFont, 14,    hidden,   &TFmain::BBSummaryClick},
    {FIELD(BitBtn1),                Kind::OkBitBtn,   {289, 0, 75, 25},        "Close",                 "",                                         none,       windowFont, 15,    hidden,   &TFmain::BitBtn1Click},
    {FIELD(OpenInvoicesRzBitBtn),   Kind::ColourBtn,  {24, 264, 113, 25},      "Open Invoices",         "Show unpaid invoices independent of date", lightGreen, windowFont, 16,    shown,    &TFmain::OpenInvoicesRzBitBtnClick},

    {FIELD(Bevel1),                 Kind::BoxBevel,   {14, 10, 449, 401},      "",                      "",                                         none,       windowFont, noTab, shown,    nullptr},
    {FIELD(Image1),                 Kind::Picture,    {0, 0, 370, 333},        ":/marble.png",          "",                                         none,       windowFont, noTab, shown,    nullptr},
    {FIELD(Label1),                 Kind::Label,      {131, 17, 95, 13},       "1. Payment Date",       "",                                         none,       boldWhite,  noTab, shown,    nullptr},
    {FIELD(Label2),                 Kind::Label,      {155, 78, 124, 13},      "3. Product Categories", "",                                         none,       boldWhite,  noTab, shown,    nullptr},
    {FIELD(Label3),                 Kind::Label,      {180, 45, 12, 13},       "to ",                   "",                                         clWhite,    windowFont, noTab, shown,    nullptr},
    {FIELD(Label4),                 Kind::Label,      {248, 199, 100, 13},     "4. Choose Report",      "",                                         none,       boldWhite,  noTab, shown,    nullptr},
    {FIELD(Label5),                 Kind::Label,      {11, 79, 92, 13},        "2. Product Type",       "",                                         none,       boldWhite,  noTab, shown,    nullptr},
    {FIELD(Bevel2),                 Kind::BoxBevel,   {16, 96, 129, 81},       "",                      "",                                         none,       windowFont, noTab, shown,    nullptr},
    {FIELD(Bevel3),                 Kind::FrameBevel, {8, 16, 17, 1},          "",                      "",                                         none,       windowFont, noTab, hidden,   nullptr},


};
// clang-format on

#undef FIELD

// The drop-down calendar of both pickers: yellow day numbers on a maroon month under a light tan
// title bar with black text. Only the background around the month follows the picker's colour.
DatePicker::CalendarColors calendarColors(const QColor& background) {
    return {background, clYellow, lightTan, clBlack, clMaroon, clInactiveCaptionText};
}

void setColours(QWidget& widget, const Control& control) {
    QPalette palette = widget.palette();
    if (control.font.colour.isValid()) {
        palette.setColor(QPalette::WindowText, control.font.colour);
        palette.setColor(QPalette::ButtonText, control.font.colour);
        palette.setColor(QPalette::Text, control.font.colour);
    }
    widget.setPalette(palette);
}

// The control of a row as the class its kind makes; a row whose field does not match its kind is a
// mistake in the table.
template <class Widget> Widget& as(QWidget& widget) {
    auto* typed = qobject_cast<Widget*>(&widget);
    Q_ASSERT_X(typed, "TFmain controls", "the field's class does not match the row's kind");
    return *typed;
}

void runGuarded(TFmain& form, Handler handler) {
    yvo::ui::guarded([&form, handler] { (form.*handler)(); });
}

// Applies the settings of one row to its new control and binds its event.
void build(TFmain& form, const Control& c, QWidget& w) {
    w.setObjectName(QLatin1String(c.name));
    w.setGeometry(c.geometry);
    w.setFont(yvo::ui::msSansSerif(c.font.bold));
    setColours(w, c);
    if (*c.hint)
        w.setToolTip(QString::fromLatin1(c.hint));
    const QString caption = QString::fromLatin1(c.caption);

    switch (c.kind) {
    case Kind::DatePicker: {
        auto& picker = as<DatePicker>(w);
        picker.setFieldColor(c.colour);
        picker.setCalendarColors(calendarColors(c.colour));
        break;
    }
    case Kind::Radio: {
        auto& radio = as<QRadioButton>(w);
        radio.setText(caption);
        QPalette palette = radio.palette();
        palette.setColor(QPalette::Window, c.colour);
        palette.setColor(QPalette::Button, c.colour);
        radio.setPalette(palette);
        radio.setAutoFillBackground(true);
        radio.setChecked(c.state == State::Selected); // before its handler is bound: no event
        break;
    }
    case Kind::CheckList: {
        auto& list = as<CheckListBox>(w);
        list.setColor(c.colour);
        list.setItemHeight(checkListItemHeight);
        break;
    }
    case Kind::ColourBtn:
    case Kind::CloseBtn: {
        auto& button = as<ColorBitBtn>(w);
        button.setText(caption);
        button.setColor(c.colour);
        if (c.kind == Kind::CloseBtn)
            button.setKind(ColorBitBtn::Kind::Close);
        break;
    }
    case Kind::BitBtn:
    case Kind::PushBtn:
    case Kind::OkBitBtn: {
        auto& button = as<QPushButton>(w);
        button.setText(caption);
        if (c.kind == Kind::OkBitBtn) {
            button.setIcon(yvo::ui::okGlyph());
            button.setDefault(true);
        }
        break;
    }
    case Kind::BoxBevel:
    case Kind::FrameBevel:
        as<Bevel>(w).setShape(c.kind == Kind::BoxBevel ? Bevel::Shape::Box : Bevel::Shape::Frame);
        break;
    case Kind::Picture: {
        auto& picture = as<QLabel>(w);
        picture.setPixmap(QPixmap(caption));
        picture.setScaledContents(true);
        break;
    }
    case Kind::Label: {
        auto& label = as<QLabel>(w);
        label.setText(caption);
        label.resize(label.sizeHint());
        break;
    }
    }

    if (c.handler) {
        auto& button = as<QAbstractButton>(w);
        const Handler handler = c.handler;
        if (c.kind == Kind::Radio)
            QObject::connect(&button, &QAbstractButton::toggled, &form, [&form, handler](bool selected) {
                if (selected)
                    runGuarded(form, handler);
            });
        else
            QObject::connect(&button, &QAbstractButton::clicked, &form,
                             [&form, handler] { runGuarded(form, handler); });
    }
    if (c.state == State::Hidden)
        w.hide();
}

TFmain::Clock& currentClock() {
    static TFmain::Clock current = &QDateTime::currentDateTime;
    return current;
}

} // namespace

TFmain::TFmain(QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::MSWindowsFixedSizeDialogHint | Qt::CustomizeWindowHint |
                          Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint) {
    applyWindowSettings();
    createControls();
    updateRadioTabStops();
    DTPStart->setFocus();
}

// The window's own settings: a fixed dialog frame with only a close box, 370 x 333 pixels of client
// area, pale yellow (never seen under the picture), and the design font.
void TFmain::applyWindowSettings() {
    setObjectName(QStringLiteral("Fmain"));
    setWindowTitle(QStringLiteral("Corvessa Report Generator"));
    setFixedSize(370, 333);
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, clInfoBk);
    palette.setColor(QPalette::WindowText, clWindowText);
    palette.setColor(QPalette::ButtonText, clWindowText);
    setPalette(palette);
    setFont(yvo::ui::msSansSerif());
}

TFmain::~TFmain() = default;

TFmain::Clock TFmain::setClock(Clock clock) {
    if (!clock)
        clock = &QDateTime::currentDateTime;
    return std::exchange(currentClock(), std::move(clock));
}

void TFmain::createControls() {
    std::vector<QWidget*> tabOrder;
    std::vector<QWidget*> graphics;
    for (const Control& c : controls) {
        QWidget* widget = c.make(*this);
        build(*this, c, *widget);
        (c.tab == noTab ? graphics : tabOrder).push_back(widget);
    }
    // Controls that take no focus lie beneath the others, the first created lowest.
    for (auto it = graphics.rbegin(); it != graphics.rend(); ++it)
        (*it)->lower();
    for (std::size_t i = 1; i < tabOrder.size(); ++i)
        setTabOrder(tabOrder[i - 1], tabOrder[i]);
    for (QRadioButton* radio : {RBIncome, RBExpense, RBBoth})
        connect(radio, &QAbstractButton::toggled, this, &TFmain::updateRadioTabStops);
}

// Tab reaches only the selected radio button; the arrow keys move among the three.
void TFmain::updateRadioTabStops() {
    for (QRadioButton* radio : {RBIncome, RBExpense, RBBoth})
        radio->setFocusPolicy(radio->isChecked() ? Qt::StrongFocus : Qt::ClickFocus);
}

void TFmain::showEvent(QShowEvent* event) {
    // Centred on the screen, whatever position the window had.
    if (!event->spontaneous()) {
        QRect frame = frameGeometry();
        frame.moveCenter(screen()->availableGeometry().center());
        move(frame.topLeft());
    }
    QWidget::showEvent(event);
}

// --- Creation and destruction -----------------------------------------------------------------

void TFmain::FormCreate() {
    const QDate today = currentClock()().date();
    DTPStart->setDate(today);
    DTPEnd->setDate(today);

    FDetailSQL = std::make_unique<yvo::text::StringList>();
    FInExDetailSQL = std::make_unique<yvo::text::StringList>();
    FSummarySQL = std::make_unique<yvo::text::StringList>();
    FDetailSQL->assign(dmYVO->QDetailReport->sql());
    FInExDetailSQL->assign(dmYVO->QInExDetail->sql());
    FSummarySQL->assign(dmYVO->QSummary->sql());

    yvo::db::Query& count = *dmYVO->QNumberOfProduct;
    count.close();
    count.open();
    FProductCodes.assign(std::size_t(std::max(0, count.fieldByName(u"NumberOfProduct").asInteger())), 0);

    LoadCategories();
}

void TFmain::FormDestroy() {
    FDetailSQL.reset();
    FInExDetailSQL.reset();
    FSummarySQL.reset();
}

// --- Category selection -----------------------------------------------------------------------

// Refills CLBCat with the categories of the selected product type, in the order the query returns
// them, and FProductCodes with their codes row for row; then ticks every row.
void TFmain::LoadCategories() {
    CLBCat->clear();
    yvo::db::Query& categories = *dmYVO->QCatagory;
    categories.close();
    if (RBIncome->isChecked()) {
        categories.parameterByName(QStringLiteral("TYPE1")).setValue(QStringLiteral("IN"));
        categories.parameterByName(QStringLiteral("TYPE2")).setValue(QStringLiteral("IN"));
    } else if (RBExpense->isChecked()) {
        categories.parameterByName(QStringLiteral("TYPE1")).setValue(QStringLiteral("EX"));
        categories.parameterByName(QStringLiteral("TYPE2")).setValue(QStringLiteral("EX"));
    } else {
        categories.parameterByName(QStringLiteral("TYPE1")).setValue(QStringLiteral("IN"));
        categories.parameterByName(QStringLiteral("TYPE2")).setValue(QStringLiteral("EX"));
    }
    categories.open();
    for (std::size_t row = 0; !categories.eof(); ++row, categories.next()) {
        const QString description = categories.fieldByName(u"DESCRIPTION").asString();
        const qint32 code = categories.fieldByName(u"ProductCode").asInteger();
        // The codes were counted at start-up; categories added since then get room of their own.
        if (row == FProductCodes.size())
            FProductCodes.push_back(0);
        CLBCat->addRow(description);
        FProductCodes[row] = code;
    }
    BBCheckAllClick();
}

void TFmain::RBIncomeClick() {
    LoadCategories();
}

void TFmain::BBCheckAllClick() {
    for (int row = 0; row < CLBCat->count(); ++row)
        CLBCat->setChecked(row, true);
}

void TFmain::BBUnCheckAllClick() {
    for (int row = 0; row < CLBCat->count(); ++row)
        CLBCat->setChecked(row, false);
}

void TFmain::CheckAllRzBitBtnClick() {
    BBCheckAllClick();
}

void TFmain::UnCheckAllRzBitBtnClick() {
    BBUnCheckAllClick();
}

// --- Report and close commands ----------------------------------------------------------------

// Rebuilds a report query from its snapshot, with the ticked categories and the two dates, and
// opens it. The filter of an earlier run goes with the old lines, so filters never accumulate.
void TFmain::prepareReportQuery(yvo::db::Query& query, const yvo::text::StringList& snapshot) {
    query.close();
    query.sql().assign(snapshot);
    ApplyCategoryFilter(query.sql());
    query.parameterByName(QStringLiteral("DATE1")).setValue(yvo::text::formatShortDate(DTPStart->date()));
    query.parameterByName(QStringLiteral("DATE2")).setValue(yvo::text::formatShortDate(DTPEnd->date()));
    query.open();
}

void TFmain::ApplyCategoryFilter(yvo::text::StringList& SQL) {
    std::vector<bool> ticked(std::size_t(CLBCat->count()));
    for (int row = 0; row < CLBCat->count(); ++row)
        ticked[std::size_t(row)] = CLBCat->isChecked(row);
    yvo::app::applyCategoryFilter(SQL, FProductCodes, ticked);
}

void TFmain::ComputeNetIncome() {
    yvo::db::Query& totals = *dmYVO->QInExDetail;
    prepareReportQuery(totals, *FInExDetailSQL);
    double expense = 0;
    double income = 0;
    if (!totals.eof() && totals.fieldByName(u"TYPE").asString() == QLatin1String("EX")) {
        expense = totals.fieldByName(u"TotalPaid").asFloat();
        totals.next();
    }
    if (!totals.eof() && totals.fieldByName(u"TYPE").asString() == QLatin1String("IN"))
        income = totals.fieldByName(u"TotalPaid").asFloat();
    FNetIncomeText = yvo::app::netIncomeLine(income, expense);
}

QString TFmain::paidDateText() const {
    return QStringLiteral("Paid date between ") + yvo::text::formatShortDate(DTPStart->date()) +
           QStringLiteral(" to ") + yvo::text::formatShortDate(DTPEnd->date());
}

// A command for a report whose pages are still being produced does nothing: reopening its query
// now would change the rows under the run and mix two states of the file in one preview.
void TFmain::BBDetailClick() {
    if (FrptDetail->QRClient->isGenerating())
        return;
    prepareReportQuery(*dmYVO->QDetailReport, *FDetailSQL);
    ComputeNetIncome();
    FrptDetail->NetIncomeText = FNetIncomeText;
    FrptDetail->PaidDateText = paidDateText();
    FrptDetail->QRClient->preview();
}

void TFmain::BBSummaryClick() {
    if (FRptSummary->QRCat->isGenerating())
        return;
    prepareReportQuery(*dmYVO->QSummary, *FSummarySQL);
    ComputeNetIncome();
    FRptSummary->NetIncomeText = FNetIncomeText;
    FRptSummary->PaidDateText = paidDateText();
    FRptSummary->QRCat->preview();
}

void TFmain::OpenInvoicesRzBitBtnClick() {
    if (FRptOpenAccount->QRopenAccount->isGenerating())
        return;
    dmOpenAccount->QOpenAccount->close();
    dmOpenAccount->QOpenAccount->open();
    FRptOpenAccount->QRopenAccount->preview();
}

void TFmain::DetailedReportRzBitBtnClick() {
    BBDetailClick();
}

void TFmain::SummaryReportRzBitBtnClick() {
    BBSummaryClick();
}

void TFmain::CloseRzBitBtnClick() {
    close();
}

void TFmain::BitBtn1Click() {
    close();
}
