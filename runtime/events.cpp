#include "runtime/events.h"

#include <QMessageBox>

namespace runtime {

void reportRunTimeError(QWidget* form, const RunTimeError& error)
{
    auto* report = new QMessageBox(QMessageBox::Critical, form ? form->windowTitle() : QString(),
                                   QString::fromStdString(reportText(error)), QMessageBox::Ok, form);
    report->setAttribute(Qt::WA_DeleteOnClose);
    report->open();
}

} // namespace runtime
