#include "platform/report/PreviewWindow.h"

#include "platform/report/Layout.h"
#include "platform/report/Painter.h"
#include "platform/report/Report.h"
#include "platform/ui/ErrorGuard.h"

#include <QAction>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFileDialog>
#include <QLabel>
#include <QPageSetupDialog>
#include <QPainter>
#include <QPointer>
#include <QPrintDialog>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>

namespace yvo::report {

namespace {
constexpr int kSliceMs = 30;   // layout time per event-loop turn while generating
constexpr double kGapMm = 5.0; // grey margin around the page on screen
} // namespace

// One page, drawn into an image at the window's zoom.
class PageView : public QWidget {
public:
    using QWidget::QWidget;

    void setPage(const Page* page, double dotsPerMm) {
        m_image = QImage();
        if (page) {
            const QSize size(qCeil(page->paper.width() * dotsPerMm), qCeil(page->paper.height() * dotsPerMm));
            m_image = QImage(size, QImage::Format_RGB32);
            const int dotsPerMeter = qRound(dotsPerMm * 1000);
            m_image.setDotsPerMeterX(dotsPerMeter);
            m_image.setDotsPerMeterY(dotsPerMeter);
            m_image.fill(Qt::white);
            QPainter painter(&m_image);
            paintPage(painter, *page, dotsPerMm);
        }
        const int gap = qRound(kGapMm * dotsPerMm);
        setFixedSize(m_image.size() + QSize(2 * gap, 2 * gap));
        m_gap = gap;
        update();
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.fillRect(rect(), palette().dark());
        if (!m_image.isNull()) {
            painter.fillRect(QRect(QPoint(m_gap + 3, m_gap + 3), m_image.size()), Qt::black);
            painter.drawImage(QPoint(m_gap, m_gap), m_image);
        }
    }

private:
    QImage m_image;
    int m_gap = 0;
};

PreviewWindow::PreviewWindow(QWidget* parent) : QMainWindow(parent) {
    createControls();
    createActions();
    updateState();
}

PreviewWindow::~PreviewWindow() = default;

void PreviewWindow::createControls() {
    setWindowTitle(tr("Print Preview"));
    m_scroll = new QScrollArea(this);
    m_scroll->setAlignment(Qt::AlignCenter);
    m_scroll->setBackgroundRole(QPalette::Dark);
    m_view = new PageView(m_scroll);
    m_scroll->setWidget(m_view);
    setCentralWidget(m_scroll);

    m_progressLabel = new QLabel(this);
    m_progressLabel->setMinimumWidth(
        m_progressLabel->fontMetrics().horizontalAdvance(QStringLiteral("100 %")) + 8);
    m_pageLabel = new QLabel(this);
    statusBar()->addWidget(m_progressLabel);
    statusBar()->addWidget(m_pageLabel, 1);

    m_timer = new QTimer(this);
    m_timer->setInterval(0);
    connect(m_timer, &QTimer::timeout, this, &PreviewWindow::generateSome);
}

void PreviewWindow::createActions() {
    QToolBar* tools = addToolBar(tr("Preview"));
    tools->setMovable(false);
    auto add = [&](const QString& text, const QKeySequence& key, auto slot) {
        QAction* action = tools->addAction(text);
        if (!key.isEmpty())
            action->setShortcut(key);
        action->setShortcutContext(Qt::WindowShortcut);
        connect(action, &QAction::triggered, this, slot);
        return action;
    };
    add(tr("Whole Page"), {}, [this] { setZoom(Zoom::WholePage); });
    add(tr("100 %"), {}, [this] { setZoom(Zoom::Actual); });
    add(tr("Page Width"), {}, [this] { setZoom(Zoom::PageWidth); });
    tools->addSeparator();
    m_first = add(tr("First"), QKeySequence(Qt::Key_Home), [this] { showPage(0); });
    m_prior = add(tr("Prior"), QKeySequence(Qt::Key_PageUp), [this] { showPage(m_current - 1); });
    m_next = add(tr("Next"), QKeySequence(Qt::Key_PageDown), [this] { showPage(m_current + 1); });
    m_last = add(tr("Last"), QKeySequence(Qt::Key_End), [this] { showPage(int(m_pages.size()) - 1); });
    tools->addSeparator();
    m_setup = add(tr("Printer Setup"), {}, [this] { printerSetup(); });
    m_print = add(tr("Print"), QKeySequence(Qt::CTRL | Qt::Key_P), [this] { print(); });
    m_save = add(tr("Save"), QKeySequence(Qt::CTRL | Qt::Key_S), [this] { saveToPdf(); });
    tools->addSeparator();
    add(tr("Close"), QKeySequence(Qt::Key_Escape), [this] { close(); });
}

void PreviewWindow::generate(Report& report) {
    if (!report.title.isEmpty())
        setWindowTitle(report.title);
    m_report = &report;
    m_pages.clear();
    m_error = nullptr;
    m_run = std::make_unique<LayoutRun>(report);
    m_printer.setPageOrientation(report.page.landscape() ? QPageLayout::Landscape : QPageLayout::Portrait);
    generateSome();
    if (m_run)
        m_timer->start();
    showPage(0);
}

void PreviewWindow::generateSome() {
    if (!m_run)
        return;
    QElapsedTimer slice;
    slice.start();
    const bool wasEmpty = m_pages.empty();
    try {
        do {
            auto page = m_run->nextPage();
            if (!page)
                break;
            m_pages.push_back(std::move(*page));
        } while (slice.elapsed() < kSliceMs);
    } catch (...) {
        m_error = std::current_exception();
        stopGeneration();
        close();
        return;
    }
    if (m_run->finished())
        stopGeneration();
    if (wasEmpty && !m_pages.empty())
        showPage(0);
    updateState();
}

void PreviewWindow::stopGeneration() {
    m_timer->stop();
    m_run.reset();
    updateState();
}

void PreviewWindow::showPage(int index) {
    if (m_pages.empty()) {
        m_current = 0;
        m_view->setPage(nullptr, zoomDotsPerMm());
    } else {
        m_current = std::clamp(index, 0, int(m_pages.size()) - 1);
        m_view->setPage(&m_pages[std::size_t(m_current)], zoomDotsPerMm());
    }
    updateState();
}

void PreviewWindow::setZoom(Zoom zoom) {
    m_zoom = zoom;
    showPage(m_current);
}

double PreviewWindow::zoomDotsPerMm() const {
    const double actual = logicalDpiX() / 25.4;
    if (m_zoom == Zoom::Actual || !m_report)
        return actual;
    const QSizeF paper = m_report->page.paper + QSizeF(2 * kGapMm, 2 * kGapMm);
    const QSize room =
        m_scroll->maximumViewportSize() - QSize(m_scroll->verticalScrollBar()->sizeHint().width(), 0);
    const double byWidth = room.width() / paper.width();
    if (m_zoom == Zoom::PageWidth)
        return std::max(0.5, byWidth);
    // Two pixels spare: the page and its margins are rounded up to whole pixels, which must not
    // bring up a scroll bar on a page that fits.
    const double byHeight = (m_scroll->maximumViewportSize().height() - 2) / paper.height();
    return std::max(0.5, std::min(byWidth, byHeight));
}

QString PreviewWindow::statusText() const {
    return m_progressLabel->text() + QLatin1Char(' ') + m_pageLabel->text();
}

void PreviewWindow::updateState() {
    const int count = int(m_pages.size());
    const double progress = m_run ? m_run->progress() : (m_report ? 1.0 : 0.0);
    m_progressLabel->setText(tr("%1 %").arg(qRound(progress * 100)));
    m_pageLabel->setText(tr("Page %1 of %2").arg(count == 0 ? 0 : m_current + 1).arg(count));
    m_first->setEnabled(m_current > 0);
    m_prior->setEnabled(m_current > 0);
    m_next->setEnabled(m_current + 1 < count);
    m_last->setEnabled(m_current + 1 < count);
    const bool done = m_report && !m_run;
    m_setup->setEnabled(done);
    m_print->setEnabled(done && count > 0);
    m_save->setEnabled(done && count > 0);
}

void PreviewWindow::printerSetup() {
    QPageSetupDialog dialog(&m_printer, this);
    dialog.exec();
}

void PreviewWindow::print() {
    if (m_run || m_pages.empty())
        return;
    QPrintDialog dialog(&m_printer, this);
    dialog.setMinMax(1, int(m_pages.size()));
    dialog.setOption(QAbstractPrintDialog::PrintPageRange);
    if (dialog.exec() != QDialog::Accepted)
        return;
    int from = 0;
    int to = int(m_pages.size()) - 1;
    if (m_printer.printRange() == QPrinter::PageRange) {
        from = m_printer.fromPage() - 1;
        to = m_printer.toPage() - 1;
    }
    yvo::ui::guarded([&] { printPages(m_printer, m_pages, from, to); });
}

void PreviewWindow::saveToPdf() {
    if (m_run || m_pages.empty())
        return;
    const QString fileName =
        QFileDialog::getSaveFileName(this, tr("Save Report"), QString(), tr("PDF files (*.pdf)"));
    if (fileName.isEmpty())
        return;
    yvo::ui::guarded([&] { writePdf(m_pages, fileName); });
}

void PreviewWindow::closeEvent(QCloseEvent* event) {
    stopGeneration(); // closing while pages are still coming cancels the run
    QMainWindow::closeEvent(event);
    Q_EMIT closed();
}

void PreviewWindow::resizeEvent(QResizeEvent* event) {
    QMainWindow::resizeEvent(event);
    if (m_zoom != Zoom::Actual)
        showPage(m_current);
}

void printPages(QPrinter& printer, const std::vector<Page>& pages, int from, int to) {
    from = std::max(from, 0);
    to = std::min(to, int(pages.size()) - 1);
    if (from > to)
        return;
    printer.setFullPage(true);
    const int copies = printer.supportsMultipleCopies() ? 1 : printer.copyCount();
    QPainter painter;
    bool first = true;
    for (int copy = 0; copy < copies; ++copy)
        for (int index = from; index <= to; ++index) {
            const Page& page = pages[std::size_t(index)];
            const auto orientation =
                page.paper.width() > page.paper.height() ? QPageLayout::Landscape : QPageLayout::Portrait;
            printer.setPageOrientation(orientation);
            if (first) {
                if (!painter.begin(&printer))
                    throw std::runtime_error("The printer could not be started");
                first = false;
            } else if (!printer.newPage()) {
                throw std::runtime_error("The printer failed");
            }
            paintPage(painter, page, dotsPerMm(printer));
        }
    painter.end();
}

void PreviewWindowHost::show(Report& report) {
    auto window = std::make_unique<PreviewWindow>();
    QEventLoop loop;
    QObject::connect(window.get(), &PreviewWindow::closed, &loop, &QEventLoop::quit);
    QObject::connect(QCoreApplication::instance(), &QCoreApplication::aboutToQuit, &loop, &QEventLoop::quit);
    // Covering the screen first keeps it full size where no window manager maximizes it.
    window->setGeometry(window->screen()->availableGeometry());
    window->showMaximized();
    window->generate(report);
    if (window->isVisible())
        loop.exec();
    if (window->error())
        std::rethrow_exception(window->error());
}

void installPreviewWindow() {
    setPreviewHost(std::make_unique<PreviewWindowHost>());
}

} // namespace yvo::report
