#include "platform/report/PreviewHost.h"

#include "platform/report/Layout.h"
#include "platform/report/Painter.h"

#include <stdexcept>

namespace yvo::report {

namespace {
std::unique_ptr<PreviewHost>& installedHost() {
    static std::unique_ptr<PreviewHost> host;
    return host;
}
} // namespace

PreviewHost& previewHost() {
    if (!installedHost())
        throw std::logic_error("No preview host is installed");
    return *installedHost();
}

std::unique_ptr<PreviewHost> setPreviewHost(std::unique_ptr<PreviewHost> host) {
    std::swap(installedHost(), host);
    return host;
}

void PdfPreviewHost::show(Report& report) {
    LayoutRun run(report);
    m_lastPageCount = writePdf(run, m_fileName);
    ++m_runs;
}

} // namespace yvo::report
