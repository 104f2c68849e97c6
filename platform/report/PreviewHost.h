#pragma once
// Where Report::preview() sends a report. The program installs the preview window
// (platform/report/PreviewWindow.h); a command-line tool installs a PdfPreviewHost, so the very
// same report command writes a PDF file instead of opening a window.

#include <QString>
#include <memory>

namespace yvo::report {

class Report;

class PreviewHost {
public:
    virtual ~PreviewHost() = default;
    // Runs the report and delivers its pages; returns when the user is done with them.
    virtual void show(Report& report) = 0;
};

// The installed host; throws std::logic_error when none is.
PreviewHost& previewHost();
// Installs host (null removes it) and returns the previous one.
std::unique_ptr<PreviewHost> setPreviewHost(std::unique_ptr<PreviewHost> host);

// Writes every preview to one PDF file, each run replacing the file of the previous one.
class PdfPreviewHost : public PreviewHost {
public:
    explicit PdfPreviewHost(QString fileName) : m_fileName(std::move(fileName)) {}
    void show(Report& report) override;

    const QString& fileName() const { return m_fileName; }
    int runs() const { return m_runs; }
    int lastPageCount() const { return m_lastPageCount; }

private:
    QString m_fileName;
    int m_runs = 0;
    int m_lastPageCount = 0;
};

} // namespace yvo::report
