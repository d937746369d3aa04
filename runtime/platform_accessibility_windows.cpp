#include "runtime/platform_accessibility.h"

#include <QLibrary>
#include <QString>
#include <QWidget>

#include <windows.h>
#include <oleauto.h>
#include <uiautomationcore.h>

// Screen readers on Windows (Narrator, NVDA, JAWS) listen on UI Automation,
// which Qt's bridge serves. It reports a box's lock when asked (the value's
// IsReadOnly) and passes no announcement on: for that the readers speak a
// notification event.
namespace runtime::platform {

namespace {

// From the Windows SDK's UIAutomationCoreApi.h, which MinGW's lacks.
constexpr int notificationKindActionCompleted = 2;
constexpr int notificationProcessingImportantMostRecent = 1;
using HostProviderFromHwnd = HRESULT(WINAPI*)(HWND, IRawElementProviderSimple**);
using RaiseNotificationEvent = HRESULT(WINAPI*)(IRawElementProviderSimple*, int kind, int processing,
                                                BSTR displayString, BSTR activityId);

// Looked up when first needed: Windows 10 before version 1709 and Wine have
// no notification event, and nothing is raised there.
struct UiAutomation {
    HostProviderFromHwnd hostProviderFromHwnd = nullptr;
    RaiseNotificationEvent raiseNotificationEvent = nullptr;
};

const UiAutomation& uiAutomation()
{
    static const UiAutomation functions = [] {
        QLibrary core(QStringLiteral("uiautomationcore"));
        return UiAutomation{reinterpret_cast<HostProviderFromHwnd>(core.resolve("UiaHostProviderFromHwnd")),
                            reinterpret_cast<RaiseNotificationEvent>(core.resolve("UiaRaiseNotificationEvent"))};
    }();
    return functions;
}

class Bstr {
public:
    explicit Bstr(const QString& text)
        : string_(SysAllocStringLen(reinterpret_cast<const OLECHAR*>(text.utf16()), UINT(text.size())))
    {
    }
    ~Bstr() { SysFreeString(string_); }
    Bstr(const Bstr&) = delete;
    Bstr& operator=(const Bstr&) = delete;
    operator BSTR() const { return string_; }

private:
    BSTR string_;
};

} // namespace

void sendEditableChanged(QAccessibleInterface*) {}

// Raised on the window's own element. A newer result replaces one not yet spoken.
void notify(QWidget& window, const QString& text)
{
    const UiAutomation& uia = uiAutomation();
    if (!uia.hostProviderFromHwnd || !uia.raiseNotificationEvent)
        return;
    IRawElementProviderSimple* provider = nullptr;
    const auto hwnd = reinterpret_cast<HWND>(window.window()->winId());
    if (FAILED(uia.hostProviderFromHwnd(hwnd, &provider)) || !provider)
        return;
    uia.raiseNotificationEvent(provider, notificationKindActionCompleted, notificationProcessingImportantMostRecent,
                               Bstr(text), Bstr(QStringLiteral("sistema.announcement")));
    provider->Release();
}

} // namespace runtime::platform
