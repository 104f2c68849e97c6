#pragma once
// Pages onto a QPainter: screen, printer or PDF. The painter's device decides the resolution;
// fonts keep their point size on it, and millimetres become device units through dotsPerMm.

#include <QString>
#include <vector>

class QPainter;
class QPaintDevice;

namespace yvo::report {

struct Page;
class LayoutRun;

// Paints page with its top-left paper corner at the painter's origin.
void paintPage(QPainter& painter, const Page& page, double dotsPerMm);
// Device units per millimetre of a device whose origin is the paper's corner.
double dotsPerMm(const QPaintDevice& device);

// Writes pages to a PDF file. The file appears under its name only when complete: it is written
// to a temporary file that replaces the named one at the end. Throws std::runtime_error naming
// the file when it cannot be written; an exception from the run leaves the named file untouched.
void writePdf(const std::vector<Page>& pages, const QString& fileName);
// The same for the pages of a run as they are produced; returns the page count.
int writePdf(LayoutRun& run, const QString& fileName);

} // namespace yvo::report
