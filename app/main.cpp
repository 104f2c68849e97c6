// Corvessa Report Generator: reads the billing file YVO.mdb beside the program and prints the
// Detailed, Summary and Open Invoices reports. No command line, no settings of its own.

#include "app/YVOreport.h"
#include "platform/report/PreviewWindow.h"
#include "platform/ui/Fonts.h"

#include <QApplication>

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    yvo::ui::installFontSubstitutes();
    yvo::report::installPreviewWindow();
    YVOreport program;
    return program.run();
}
