#include "runtime/platform_accessibility.h"

#include <QColor>
#include <QLibrary>
#include <QString>
#include <QWidget>

#include <windows.h>
#include <oleauto.h>
#include <uiautomationclient.h>
#include <uiautomationcore.h>

// Screen readers on Windows (Narrator, NVDA) listen on UI Automation, which
// Qt's bridge serves. It reports a box's lock when asked (the value's
// IsReadOnly) and passes no announcement on: for that the readers speak a
// notification event.
namespace runtime::platform {

namespace {

// From the Windows SDK's UIAutomationCoreApi.h and UIAutomationClient.h,
// which MinGW's lack or do not compile as C++.
constexpr int notificationKindActionCompleted = 2;
constexpr int notificationProcessingImportantMostRecent = 1;
constexpr long customControlType = 50025;
constexpr LONG rootObjectId = -25;
using HostProviderFromHwnd = HRESULT(WINAPI*)(HWND, IRawElementProviderSimple**);
using ReturnRawElementProvider = LRESULT(WINAPI*)(HWND, WPARAM, LPARAM, IRawElementProviderSimple*);
using RaiseNotificationEvent = HRESULT(WINAPI*)(IRawElementProviderSimple*, int kind, int processing,
                                                BSTR displayString, BSTR activityId);
using ClientsAreListening = BOOL(WINAPI*)();

// Looked up when first needed: Windows 10 before version 1709, and Wine,
// have no notification event, and there nothing is set up or raised.
struct UiAutomation {
    HostProviderFromHwnd hostProviderFromHwnd;
    ReturnRawElementProvider returnRawElementProvider;
    RaiseNotificationEvent raiseNotificationEvent;
    ClientsAreListening clientsAreListening;

    bool available() const
    {
        return hostProviderFromHwnd && returnRawElementProvider && raiseNotificationEvent && clientsAreListening;
    }
};

const UiAutomation& uiAutomation()
{
    static const UiAutomation functions = [] {
        QLibrary core(QStringLiteral("uiautomationcore"));
        return UiAutomation{
            reinterpret_cast<HostProviderFromHwnd>(core.resolve("UiaHostProviderFromHwnd")),
            reinterpret_cast<ReturnRawElementProvider>(core.resolve("UiaReturnRawElementProvider")),
            reinterpret_cast<RaiseNotificationEvent>(core.resolve("UiaRaiseNotificationEvent")),
            reinterpret_cast<ClientsAreListening>(core.resolve("UiaClientsAreListening"))};
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

// Where the notifications come from. Qt's own elements are out of reach
// from here, so, as screen readers' own add-ins do, they come from an
// element of ours: a one-pixel child window of the form, disabled, painted
// in the form's colour, that tells readers it holds nothing to read.
class NotificationSource final : public IRawElementProviderSimple {
public:
    NotificationSource(HWND window, COLORREF background)
        : window_(window), background_(CreateSolidBrush(background))
    {
    }
    NotificationSource(const NotificationSource&) = delete;
    NotificationSource& operator=(const NotificationSource&) = delete;

    HBRUSH background() const { return background_; }

    ULONG STDMETHODCALLTYPE AddRef() override { return ULONG(InterlockedIncrement(&references_)); }
    ULONG STDMETHODCALLTYPE Release() override
    {
        const LONG left = InterlockedDecrement(&references_);
        if (left == 0)
            delete this;
        return ULONG(left);
    }
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID id, void** object) override
    {
        if (!object)
            return E_INVALIDARG;
        if (id != __uuidof(IUnknown) && id != __uuidof(IRawElementProviderSimple)) {
            *object = nullptr;
            return E_NOINTERFACE;
        }
        *object = static_cast<IRawElementProviderSimple*>(this);
        AddRef();
        return S_OK;
    }

    HRESULT STDMETHODCALLTYPE get_ProviderOptions(ProviderOptions* options) override
    {
        *options = ProviderOptions(ProviderOptions_ServerSideProvider | ProviderOptions_UseComThreading);
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetPatternProvider(PATTERNID, IUnknown** pattern) override
    {
        *pattern = nullptr;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetPropertyValue(PROPERTYID property, VARIANT* value) override
    {
        value->vt = VT_EMPTY;
        switch (property) {
        case UIA_ControlTypePropertyId:
            value->vt = VT_I4;
            value->lVal = customControlType;
            break;
        case UIA_IsControlElementPropertyId:
        case UIA_IsContentElementPropertyId:
        case UIA_IsKeyboardFocusablePropertyId:
            value->vt = VT_BOOL;
            value->boolVal = VARIANT_FALSE;
            break;
        default:
            break;
        }
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE get_HostRawElementProvider(IRawElementProviderSimple** host) override
    {
        return uiAutomation().hostProviderFromHwnd(window_, host);
    }

private:
    ~NotificationSource() { DeleteObject(background_); }

    LONG references_ = 1;
    HWND window_;
    HBRUSH background_;
};

const wchar_t sourceClass[] = L"SistemaNotificationSource";

NotificationSource* sourceOf(HWND window)
{
    return reinterpret_cast<NotificationSource*>(GetWindowLongPtrW(window, GWLP_USERDATA));
}

LRESULT CALLBACK sourceProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_GETOBJECT:
        if (LONG(lParam) == rootObjectId && sourceOf(window))
            return uiAutomation().returnRawElementProvider(window, wParam, lParam, sourceOf(window));
        break;
    case WM_ERASEBKGND:
        if (NotificationSource* source = sourceOf(window)) {
            RECT area;
            GetClientRect(window, &area);
            FillRect(reinterpret_cast<HDC>(wParam), &area, source->background());
            return 1;
        }
        break;
    case WM_DESTROY:
        // Tells UI Automation the element is gone.
        uiAutomation().returnRawElementProvider(window, 0, 0, nullptr);
        if (NotificationSource* source = sourceOf(window)) {
            SetWindowLongPtrW(window, GWLP_USERDATA, 0);
            source->Release();
        }
        break;
    default:
        break;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

// The form's source, made when first needed; it goes with the form's window.
NotificationSource* notificationSource(QWidget& form)
{
    const auto parent = reinterpret_cast<HWND>(form.winId());
    if (HWND existing = FindWindowExW(parent, nullptr, sourceClass, nullptr))
        return sourceOf(existing);
    static const bool registered = [] {
        WNDCLASSEXW windowClass{};
        windowClass.cbSize = sizeof windowClass;
        windowClass.lpfnWndProc = sourceProcedure;
        windowClass.hInstance = GetModuleHandleW(nullptr);
        windowClass.lpszClassName = sourceClass;
        return RegisterClassExW(&windowClass) != 0;
    }();
    if (!registered)
        return nullptr;
    // UI Automation raises nothing from a window of no size.
    HWND window = CreateWindowExW(WS_EX_TRANSPARENT | WS_EX_NOACTIVATE, sourceClass, nullptr, WS_CHILD | WS_DISABLED,
                                  0, 0, 1, 1, parent, nullptr, GetModuleHandleW(nullptr), nullptr);
    if (!window)
        return nullptr;
    const QColor colour = form.palette().color(form.backgroundRole());
    auto* source = new NotificationSource(window, RGB(colour.red(), colour.green(), colour.blue()));
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(source));
    ShowWindow(window, SW_SHOWNA);
    return source;
}

} // namespace

void sendEditableChanged(QAccessibleInterface*) {}

// A newer result replaces one not yet spoken.
void notify(QWidget& window, const QString& text)
{
    const UiAutomation& uia = uiAutomation();
    if (!uia.available() || !uia.clientsAreListening())
        return;
    if (NotificationSource* source = notificationSource(*window.window()))
        uia.raiseNotificationEvent(source, notificationKindActionCompleted, notificationProcessingImportantMostRecent,
                                   Bstr(text), Bstr(QStringLiteral("sistema.announcement")));
}

} // namespace runtime::platform
