#include "runtime/platform_accessibility.h"

#include <QString>

#include <emscripten/val.h>

// In a browser, screen readers read the page. Qt's web platform mirrors the
// controls as elements of the page, the read-only state too; what a screen
// reader should speak where the focus is not goes into a live region of the
// page, which the browser hands to the reader without moving the focus.
namespace runtime::platform {

namespace {

using emscripten::val;

// The page's polite live region (index.html has one from the start, as
// readers follow only regions that were there before they change); made
// here on a page without one.
val liveRegion()
{
    val document = val::global("document");
    val region = document.call<val>("getElementById", val("announcements"));
    if (!region.isNull())
        return region;
    region = document.call<val>("createElement", val("div"));
    region.set("id", val("announcements"));
    region.call<void>("setAttribute", val("aria-live"), val("polite"));
    region.call<void>("setAttribute", val("class"), val("visually-hidden"));
    document["body"].call<void>("appendChild", region);
    return region;
}

} // namespace

void sendEditableChanged(QAccessibleInterface*) {}

// A new paragraph each time: readers speak what is added to a region, so the
// same result twice is spoken twice.
void notify(QWidget&, const QString& text)
{
    val paragraph = val::global("document").call<val>("createElement", val("p"));
    paragraph.set("textContent", val(text.toStdString()));
    liveRegion().call<void>("replaceChildren", paragraph);
}

} // namespace runtime::platform
