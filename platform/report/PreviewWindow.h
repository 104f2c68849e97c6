#pragma once
// The print preview: a window that shows a report's pages while they are produced, pages through
// them, zooms, prints them through Qt's print dialogs and saves them to PDF. PreviewWindowHost
// makes it the target of Report::preview(): one window per preview, maximized and not modal, and
// preview() returns when the window has been closed.

#include "platform/report/Page.h"
#include "platform/report/PreviewHost.h"

#include <QMainWindow>
#include <QPrinter>
#include <exception>
#include <memory>
#include <vector>

class QAction;
class QLabel;
class QScrollArea;
class QTimer;

namespace yvo::report {

class LayoutRun;
class Report;
class PageView;

class PreviewWindow : public QMainWindow {
    Q_OBJECT
public:
    enum class Zoom { WholePage, Actual, PageWidth };

    explicit PreviewWindow(QWidget* parent = nullptr);
    ~PreviewWindow() override;

    // Starts a run of report: the first page is laid out and shown at once, the others follow
    // from the event loop. An exception from the run stops it and closes the window; error() has it.
    void generate(Report& report);
    bool generating() const { return m_run != nullptr; }
    std::exception_ptr error() const { return m_error; }

    const std::vector<Page>& pages() const { return m_pages; }
    int currentPage() const { return m_current; } // 0-based
    void showPage(int index);
    Zoom zoom() const { return m_zoom; }
    void setZoom(Zoom zoom);
    QString statusText() const; // what the status bar says, for tests and tools

    void printerSetup();
    void print();
    void saveToPdf();

Q_SIGNALS:
    void closed();

protected:
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void createActions();
    void createControls();
    void generateSome();
    void stopGeneration();
    void updateState();
    double zoomDotsPerMm() const;

    Report* m_report = nullptr;
    std::unique_ptr<LayoutRun> m_run;
    std::vector<Page> m_pages;
    std::exception_ptr m_error;
    int m_current = 0;
    Zoom m_zoom = Zoom::WholePage;
    QPrinter m_printer{QPrinter::HighResolution};

    QScrollArea* m_scroll = nullptr;
    PageView* m_view = nullptr;
    QLabel* m_progressLabel = nullptr;
    QLabel* m_pageLabel = nullptr;
    QTimer* m_timer = nullptr;
    QAction* m_first = nullptr;
    QAction* m_prior = nullptr;
    QAction* m_next = nullptr;
    QAction* m_last = nullptr;
    QAction* m_setup = nullptr;
    QAction* m_print = nullptr;
    QAction* m_save = nullptr;
};

// Prints pages from..to (0-based, inclusive) on printer, copies times when the printer cannot
// make copies itself.
void printPages(QPrinter& printer, const std::vector<Page>& pages, int from, int to);

class PreviewWindowHost : public PreviewHost {
public:
    void show(Report& report) override;
};

// Makes the preview window the target of every Report::preview().
void installPreviewWindow();

} // namespace yvo::report
