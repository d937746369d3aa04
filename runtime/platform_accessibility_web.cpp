#include "runtime/platform_accessibility.h"

#include <QString>

#include <emscripten/val.h>

// In a browser, screen readers read the page. Qt's web platform mirrors the
// controls as elements of the page, the read-only state too; what a screen
// reader should speak where the focus is not goes into a live region of the
// page, which the browser hands to the reader without moving the focus.
namespace runtime::platform {

void sendEditableChanged(QAccessibleInterface*) {}

// Into the page's live region (index.html has it from the start, as readers
// follow only regions that were there before they change; a page without it
// hears nothing), a new paragraph each time: readers speak what is added to
// a region, so the same result twice is spoken twice.
void notify(QWidget&, const QString& text)
{
    using emscripten::val;
    const val document = val::global("document");
    const val region = document.call<val>("getElementById", val("announcements"));
    if (region.isNull())
        return;
    val paragraph = document.call<val>("createElement", val("p"));
    paragraph.set("textContent", val(text.toStdString()));
    region.call<void>("replaceChildren", paragraph);
}

} // namespace runtime::platform
