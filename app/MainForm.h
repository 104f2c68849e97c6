#pragma once
// The main window, Fmain: the payment date range, the product type, the category list and the
// report buttons. Its controls stand in one table in MainForm.cpp; every event handler runs behind
// the error guard. It keeps the product code of each listed category and pristine copies of the
// SQL of the three report queries, taken in FormCreate.

#include <QDateTime>
#include <QWidget>
#include <functional>
#include <memory>
#include <vector>

class QLabel;
class QPushButton;
class QRadioButton;

namespace yvo::db {
class Query;
}
namespace yvo::text {
class StringList;
}
namespace yvo::ui {
class Bevel;
class CheckListBox;
class ColorBitBtn;
class DatePicker;
} // namespace yvo::ui

class TFmain : public QWidget {
    Q_OBJECT
public:
    // Builds the window with all its controls and binds their events. The creator then raises the
    // creation event, FormCreate, and the destruction event, FormDestroy, before deleting it.
    explicit TFmain(QWidget* parent = nullptr);
    ~TFmain() override;

    // Where FormCreate reads the current date and time; tests set a fixed one, an empty one puts the
    // real clock back. Returns the previous.
    using Clock = std::function<QDateTime()>;
    static Clock setClock(Clock clock);

    // Components, in declaration order. The window owns them all.
    QPushButton* BBDetail = nullptr;
    QPushButton* BBSummary = nullptr;
    yvo::ui::CheckListBox* CLBCat = nullptr;
    QLabel* Label1 = nullptr;
    QLabel* Label2 = nullptr;
    QPushButton* BitBtn1 = nullptr;
    yvo::ui::DatePicker* DTPStart = nullptr;
    QLabel* Label3 = nullptr;
    yvo::ui::DatePicker* DTPEnd = nullptr;
    QPushButton* BBCheckAll = nullptr;
    QPushButton* BBUnCheckAll = nullptr;
    QLabel* Label4 = nullptr;
    QLabel* Label5 = nullptr;
    QRadioButton* RBIncome = nullptr;
    QRadioButton* RBExpense = nullptr;
    QRadioButton* RBBoth = nullptr;
    QLabel* Image1 = nullptr;
    yvo::ui::Bevel* Bevel1 = nullptr;
    yvo::ui::Bevel* Bevel2 = nullptr;
    yvo::ui::Bevel* Bevel3 = nullptr;
    yvo::ui::ColorBitBtn* DetailedReportRzBitBtn = nullptr;
    yvo::ui::ColorBitBtn* SummaryReportRzBitBtn = nullptr;
    yvo::ui::ColorBitBtn* CheckAllRzBitBtn = nullptr;
    yvo::ui::ColorBitBtn* UnCheckAllRzBitBtn = nullptr;
    yvo::ui::ColorBitBtn* CloseRzBitBtn = nullptr;
    yvo::ui::ColorBitBtn* OpenInvoicesRzBitBtn = nullptr;

    // Event handlers, in declaration order. No handler looks at its sender, so none takes one.
    void FormCreate();
    void BBCheckAllClick();
    void BBUnCheckAllClick();
    void BBDetailClick();
    void BBSummaryClick();
    void RBIncomeClick();
    void FormDestroy();
    void BitBtn1Click();
    void DetailedReportRzBitBtnClick();
    void SummaryReportRzBitBtnClick();
    void CheckAllRzBitBtnClick();
    void UnCheckAllRzBitBtnClick();
    void CloseRzBitBtnClick();
    void OpenInvoicesRzBitBtnClick();

    // The state FormCreate and LoadCategories set up, for reading: the product code of each row of
    // CLBCat (at least as many as there are rows), and the SQL snapshots (null outside
    // FormCreate..FormDestroy).
    const std::vector<qint32>& productCodes() const { return FProductCodes; }
    const yvo::text::StringList* detailSQL() const { return FDetailSQL.get(); }
    const yvo::text::StringList* summarySQL() const { return FSummarySQL.get(); }
    const yvo::text::StringList* inExDetailSQL() const { return FInExDetailSQL.get(); }
    // The totals line the last Detailed or Summary command built; empty before the first.
    const QString& netIncomeText() const { return FNetIncomeText; }

protected:
    void showEvent(QShowEvent* event) override;

private:
    void applyWindowSettings();
    void createControls();
    void updateRadioTabStops();
    void LoadCategories();
    void ApplyCategoryFilter(yvo::text::StringList& SQL);
    void ComputeNetIncome();
    void prepareReportQuery(yvo::db::Query& query, const yvo::text::StringList& snapshot);
    QString paidDateText() const;

    std::vector<qint32> FProductCodes;
    std::unique_ptr<yvo::text::StringList> FDetailSQL;
    std::unique_ptr<yvo::text::StringList> FSummarySQL;
    std::unique_ptr<yvo::text::StringList> FInExDetailSQL;
    QString FNetIncomeText;
};

extern TFmain* Fmain;
