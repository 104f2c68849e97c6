#pragma once
// The program: the application's six long-lived modules, created in a fixed order at start-up, the
// message loop, and their destruction in the reverse order.
//
// Order: dmYVO (connects to YVO.mdb beside the program), Fmain (the main window, which reads dmYVO
// in its FormCreate), the three report forms FrptDetail, FRptSummary, FRptOpenAccount, and last
// dmOpenAccount. Each is complete, creation handler included, before the next is created; a failing
// handler is shown in the error box and start-up goes on. The open-invoices report names a query of
// the module created after it, and is bound to it once that module exists.

#include "platform/ui/ModuleOwner.h"

class YVOreport {
public:
    // Needs the QApplication. Creates the six modules.
    YVOreport();
    // Destroys the modules, the last created first.
    ~YVOreport();
    YVOreport(const YVOreport&) = delete;
    YVOreport& operator=(const YVOreport&) = delete;

    // Shows the main window and handles messages until it has been closed.
    int run();

    yvo::ui::ModuleOwner& modules() { return m_modules; }

private:
    yvo::ui::ModuleOwner m_modules;
};
