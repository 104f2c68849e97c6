#include "app/YVOreport.h"

#include "app/MainForm.h"
#include "data/OpenAccountDataModule.h"
#include "data/YVODataModule.h"
#include "reports/RptDetailForm.h"
#include "reports/RptOpenAccount.h"
#include "reports/RptSummaryForm.h"

#include <QApplication>
#include <QEvent>

namespace {

// Closing the main window ends the message loop, whatever other windows (previews) are open.
class QuitWhenClosed : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Close)
            QCoreApplication::quit();
        return QObject::eventFilter(watched, event);
    }
};

} // namespace

YVOreport::YVOreport() {
    m_modules.create(dmYVO, &TdmYVO::DataModuleCreate, &TdmYVO::DataModuleDestroy);
    m_modules.create(Fmain, &TFmain::FormCreate, &TFmain::FormDestroy);
    m_modules.create(FrptDetail);
    m_modules.create(FRptSummary);
    m_modules.create(FRptOpenAccount);
    m_modules.create(dmOpenAccount, &TdmOpenAccount::DataModuleCreate);
    FRptOpenAccount->bindDataSet(dmOpenAccount->QOpenAccount);
}

YVOreport::~YVOreport() = default;

int YVOreport::run() {
    QuitWhenClosed quitWhenClosed;
    Fmain->installEventFilter(&quitWhenClosed);
    QApplication::setQuitOnLastWindowClosed(false);
    Fmain->show();
    const int result = QApplication::exec();
    Fmain->removeEventFilter(&quitWhenClosed);
    return result;
}
