#include "window/menu_accessible.h"

#include <oleacc.h>

#include <cstdlib>
#include <new>

#include "config/menu_item.h"
#include "state/launcher_state.h"
#include "window/entry_order.h"
#include "window/layout.h"
#include "window/system_library.h"

using LresultFromObjectFunction = LRESULT(WINAPI*)(REFIID, WPARAM, LPUNKNOWN);
using CreateStdAccessibleObjectFunction = HRESULT(WINAPI*)(HWND, LONG, REFIID, void**);
using SysAllocStringLenFunction = BSTR(WINAPI*)(const OLECHAR*, UINT);
using NotifyWinEventFunction = void(WINAPI*)(DWORD, HWND, LONG, LONG);
using MultiByteToWideCharFunction = int(WINAPI*)(UINT, DWORD, LPCCH, int, LPWSTR, int);
using MapWindowPointsFunction = int(WINAPI*)(HWND, HWND, LPPOINT, UINT);
using IsWindowFunction = BOOL(WINAPI*)(HWND);
using GetFocusFunction = HWND(WINAPI*)();
using SetWindowLongPtrFunction = LONG_PTR(WINAPI*)(HWND, int, LONG_PTR);

// Everything the object calls beyond what the menu itself imports, found when the first
// client asks: the program's import table stays as it is and start-up pays nothing.
static bool accessibilityTried = false;
static LresultFromObjectFunction lresultFromObject = nullptr;
static CreateStdAccessibleObjectFunction createStdAccessibleObject = nullptr;
static SysAllocStringLenFunction sysAllocStringLen = nullptr;
static MultiByteToWideCharFunction multiByteToWideChar = nullptr;
static MapWindowPointsFunction mapWindowPoints = nullptr;
static IsWindowFunction isWindow = nullptr;
static GetFocusFunction getFocus = nullptr;
static SetWindowLongPtrFunction setWindowLongPtr = nullptr;

// COM, the libraries and the functions, once; true when everything the object needs is there.
static bool loadAccessibility() {
    if (!accessibilityTried) {
        accessibilityTried = true;
        HMODULE user = GetModuleHandleA("user32.dll");
        multiByteToWideChar = findFunction<MultiByteToWideCharFunction>(
            GetModuleHandleA("kernel32.dll"), "MultiByteToWideChar");
        mapWindowPoints = findFunction<MapWindowPointsFunction>(user, "MapWindowPoints");
        isWindow = findFunction<IsWindowFunction>(user, "IsWindow");
        getFocus = findFunction<GetFocusFunction>(user, "GetFocus");
        // 32-bit Windows has no SetWindowLongPtrA: there it is SetWindowLongA.
        setWindowLongPtr = findFunction<SetWindowLongPtrFunction>(
            user, sizeof(LONG_PTR) == 8 ? "SetWindowLongPtrA" : "SetWindowLongA");
        if (initialiseCom()) {
            HMODULE oleacc = loadSystemLibrary("oleacc.dll");
            lresultFromObject =
                findFunction<LresultFromObjectFunction>(oleacc, "LresultFromObject");
            createStdAccessibleObject = findFunction<CreateStdAccessibleObjectFunction>(
                oleacc, "CreateStdAccessibleObject");
            sysAllocStringLen = findFunction<SysAllocStringLenFunction>(
                loadSystemLibrary("oleaut32.dll"), "SysAllocStringLen");
        }
    }
    return lresultFromObject != nullptr && createStdAccessibleObject != nullptr &&
           sysAllocStringLen != nullptr && multiByteToWideChar != nullptr &&
           mapWindowPoints != nullptr && isWindow != nullptr && getFocus != nullptr &&
           setWindowLongPtr != nullptr;
}

// `text` (ANSI) as a new string for the client, line breaks as spaces when asked. S_FALSE
// and no string for an empty text.
static HRESULT textAnswer(const char* text, bool breaksAsSpaces, BSTR* answer) {
    if (answer == nullptr) return E_POINTER;
    *answer = nullptr;
    const int size = multiByteToWideChar(CP_ACP, 0, text, -1, nullptr, 0);  // with the NUL
    if (size <= 1) return S_FALSE;
    BSTR string = sysAllocStringLen(nullptr, static_cast<UINT>(size - 1));
    if (string == nullptr) return E_OUTOFMEMORY;
    multiByteToWideChar(CP_ACP, 0, text, -1, string, size);
    for (int i = 0; breaksAsSpaces && i < size - 1; ++i) {
        if (string[i] == L'\n' || string[i] == L'\r') string[i] = L' ';
    }
    *answer = string;
    return S_OK;
}

static HRESULT numberAnswer(LONG number, VARIANT* answer) {
    if (answer == nullptr) return E_POINTER;
    answer->vt = VT_I4;
    answer->lVal = number;
    return S_OK;
}

static HRESULT emptyAnswer(VARIANT* answer) {
    if (answer == nullptr) return E_POINTER;
    answer->vt = VT_EMPTY;
    return S_FALSE;
}

// The child id of the entry in slot `slot`: its position among the shown entries, from 1.
static LONG childOfSlot(int slot) { return shownEntryPosition(slot) + 1; }

// The prompt comes after the entries.
static LONG promptChild() { return shownEntryCount() + 1; }

// The one class with virtual functions: the platform's accessibility interface is a COM
// interface. One object per request; clients hold it for as long as they like, so it keeps
// nothing but the window and asks the menu's state afresh on every call. The client area
// itself (parent, role, state, location) is answered by the platform's standard object.
class MenuAccessible final : public IAccessible {
public:
    MenuAccessible(HWND window, IAccessible* standard) : window_(window), standard_(standard) {}

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
        if (object == nullptr) return E_POINTER;
        if (iid == __uuidof(IUnknown) || iid == __uuidof(IDispatch) ||
            iid == __uuidof(IAccessible)) {
            *object = static_cast<IAccessible*>(this);
            AddRef();
            return S_OK;
        }
        *object = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++references_; }
    ULONG STDMETHODCALLTYPE Release() override {
        const ULONG left = --references_;
        if (left == 0) {
            standard_->Release();
            this->~MenuAccessible();
            std::free(this);
        }
        return left;
    }

    // No type information: clients call the interface directly.
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
        if (count == nullptr) return E_POINTER;
        *count = 0;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*,
                                     UINT*) override {
        return E_NOTIMPL;
    }

    HRESULT STDMETHODCALLTYPE get_accParent(IDispatch** parent) override {
        return standard_->get_accParent(parent);
    }
    HRESULT STDMETHODCALLTYPE get_accChildCount(LONG* count) override {
        if (count == nullptr) return E_POINTER;
        *count = promptChild();
        return S_OK;
    }
    // Every child is a simple element of this object, reached through its child id.
    HRESULT STDMETHODCALLTYPE get_accChild(VARIANT child, IDispatch** object) override {
        if (object == nullptr) return E_POINTER;
        *object = nullptr;
        const int place = placeOf(child);
        return place == kNoPlace || place == kSelf ? E_INVALIDARG : S_FALSE;
    }

    HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* name) override {
        const int place = placeOf(child);
        if (place == kSelf) return textAnswer(launcherState.menuTitle, false, name);
        if (place == kPrompt) return textAnswer(launcherState.menuPrompt, true, name);
        if (place == kNoPlace) return E_INVALIDARG;
        return textAnswer(launcherState.menuItems[place]->caption, false, name);
    }
    HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT child, BSTR* description) override {
        const int place = placeOf(child);
        if (place == kNoPlace) return E_INVALIDARG;
        if (place < 0) return textAnswer("", false, description);
        return textAnswer(launcherState.menuItems[place]->comment, true, description);
    }
    HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT* role) override {
        const int place = placeOf(child);
        if (place == kSelf) return standard_->get_accRole(child, role);
        if (place == kNoPlace) return E_INVALIDARG;
        return numberAnswer(place == kPrompt ? ROLE_SYSTEM_STATICTEXT : ROLE_SYSTEM_PUSHBUTTON,
                            role);
    }
    HRESULT STDMETHODCALLTYPE get_accState(VARIANT child, VARIANT* state) override {
        const int place = placeOf(child);
        if (place == kSelf) return standard_->get_accState(child, state);
        if (place == kNoPlace) return E_INVALIDARG;
        if (place == kPrompt) return numberAnswer(STATE_SYSTEM_READONLY, state);
        const bool lit = place == launcherState.hoverIndex;
        return numberAnswer(
            STATE_SYSTEM_FOCUSABLE | (lit ? STATE_SYSTEM_HOTTRACKED | STATE_SYSTEM_FOCUSED : 0),
            state);
    }
    // The digit key that starts the entry, while digit keys start entries.
    HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT child, BSTR* shortcut) override {
        const int place = placeOf(child);
        if (place == kNoPlace) return E_INVALIDARG;
        const char digit[2] = {static_cast<char>('1' + place), '\0'};
        const bool numbered = place >= 0 && launcherState.view.ShowNumbers != 0;
        return textAnswer(numbered ? digit : "", false, shortcut);
    }
    HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT child, BSTR* action) override {
        const int place = placeOf(child);
        if (place == kNoPlace) return E_INVALIDARG;
        return textAnswer(place >= 0 ? "Open" : "", false, action);
    }
    // Starts the entry as a click does, after the client's call has returned: the launch
    // may show a box or close the menu, which must not happen inside the call.
    HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT child) override {
        const int place = placeOf(child);
        if (place == kNoPlace) return E_INVALIDARG;
        if (place < 0) return DISP_E_MEMBERNOTFOUND;
        return PostMessageA(window_, kStartEntryMessage, static_cast<WPARAM>(place), 0) ? S_OK
                                                                                        : E_FAIL;
    }

    HRESULT STDMETHODCALLTYPE accLocation(LONG* left, LONG* top, LONG* width, LONG* height,
                                          VARIANT child) override {
        const int place = placeOf(child);
        if (place == kSelf) return standard_->accLocation(left, top, width, height, child);
        if (place == kNoPlace) return E_INVALIDARG;
        if (left == nullptr || top == nullptr || width == nullptr || height == nullptr)
            return E_POINTER;
        RECT area = place == kPrompt ? commentBoxRect() : itemRect(place);
        mapWindowPoints(window_, nullptr, reinterpret_cast<POINT*>(&area), 2);
        *left = area.left;
        *top = area.top;
        *width = area.right - area.left;
        *height = area.bottom - area.top;
        return S_OK;
    }
    // The entry under the point, the prompt over the comment box, else the client area.
    HRESULT STDMETHODCALLTYPE accHitTest(LONG x, LONG y, VARIANT* child) override {
        if (child == nullptr) return E_POINTER;
        POINT point = {x, y};
        RECT client;
        mapWindowPoints(nullptr, window_, &point, 1);
        if (!GetClientRect(window_, &client) || point.x < client.left || point.x >= client.right ||
            point.y < client.top || point.y >= client.bottom) {
            return emptyAnswer(child);
        }
        const int slot = itemFromPoint(point.x, point.y);
        if (slot != -1) return numberAnswer(childOfSlot(slot), child);
        if (pointInsideRect(point.x, point.y, commentBoxRect()))
            return numberAnswer(promptChild(), child);
        return numberAnswer(CHILDID_SELF, child);
    }
    // The lit entry has the focus; without one, the client area while it has the keys.
    HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* child) override {
        if (shownEntryPosition(launcherState.hoverIndex) != -1) {
            return numberAnswer(childOfSlot(launcherState.hoverIndex), child);
        }
        if (getFocus() == window_) return numberAnswer(CHILDID_SELF, child);
        return emptyAnswer(child);
    }
    // Children in order, first and last from the client area; the rest as the platform does.
    HRESULT STDMETHODCALLTYPE accNavigate(LONG direction, VARIANT start, VARIANT* end) override {
        const int place = placeOf(start);
        if (place == kNoPlace) return E_INVALIDARG;
        const LONG count = promptChild();
        LONG target = 0;
        if (place == kSelf) {
            if (direction == NAVDIR_FIRSTCHILD) target = 1;
            if (direction == NAVDIR_LASTCHILD) target = count;
            if (target == 0) return standard_->accNavigate(direction, start, end);
        } else if (direction == NAVDIR_NEXT || direction == NAVDIR_DOWN) {
            target = start.lVal + 1;
        } else if (direction == NAVDIR_PREVIOUS || direction == NAVDIR_UP) {
            target = start.lVal - 1;
        }
        if (target < 1 || target > count) return emptyAnswer(end);
        return numberAnswer(target, end);
    }

    HRESULT STDMETHODCALLTYPE get_accValue(VARIANT, BSTR* value) override {
        return notThere(value);
    }
    HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT, BSTR* help) override { return notThere(help); }
    HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR* file, VARIANT, LONG*) override {
        return notThere(file);
    }
    HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* children) override {
        if (children != nullptr) children->vt = VT_EMPTY;
        return DISP_E_MEMBERNOTFOUND;
    }
    HRESULT STDMETHODCALLTYPE accSelect(LONG, VARIANT) override { return DISP_E_MEMBERNOTFOUND; }
    HRESULT STDMETHODCALLTYPE put_accName(VARIANT, BSTR) override { return DISP_E_MEMBERNOTFOUND; }
    HRESULT STDMETHODCALLTYPE put_accValue(VARIANT, BSTR) override { return DISP_E_MEMBERNOTFOUND; }

private:
    // What a child id names: the client area, the prompt, nothing, or (0 and above) the slot
    // of a shown entry. Child ids come as 32-bit integers; anything else names nothing, as
    // does every id once the window is gone.
    static constexpr int kSelf = -1;
    static constexpr int kPrompt = -2;
    static constexpr int kNoPlace = -3;

    int placeOf(const VARIANT& child) const {
        if (child.vt != VT_I4 || !isWindow(window_)) return kNoPlace;
        if (child.lVal == CHILDID_SELF) return kSelf;
        if (child.lVal == promptChild()) return kPrompt;
        if (child.lVal < 1 || child.lVal > shownEntryCount()) return kNoPlace;
        return shownEntrySlot(child.lVal - 1);
    }

    static HRESULT notThere(BSTR* text) {
        if (text != nullptr) *text = nullptr;
        return DISP_E_MEMBERNOTFOUND;
    }

    ULONG references_ = 1;
    HWND window_;
    IAccessible* standard_;
};

INT_PTR answerGetObject(HWND window, WPARAM wParam, LPARAM lParam) {
    // 64-bit callers send the id either sign-extended or not: only its low 32 bits count.
    if (static_cast<DWORD>(lParam) != static_cast<DWORD>(OBJID_CLIENT)) return 0;
    if (!loadAccessibility()) return 0;

    IAccessible* standard = nullptr;
    if (FAILED(createStdAccessibleObject(window, OBJID_CLIENT, __uuidof(IAccessible),
                                         reinterpret_cast<void**>(&standard)))) {
        return 0;
    }
    void* block = std::malloc(sizeof(MenuAccessible));
    if (block == nullptr) {
        standard->Release();
        return 0;
    }
    MenuAccessible* object = new (block) MenuAccessible(window, standard);
    // The client's reference is made here; the object goes when the client lets it go.
    const LRESULT reference = lresultFromObject(__uuidof(IAccessible), wParam, object);
    object->Release();
    if (reference < 0) return 0;
    // A dialog procedure hands a message's result back through DWLP_MSGRESULT.
    setWindowLongPtr(window, DWLP_MSGRESULT, reference);
    return 1;
}

void announceLitEntry(HWND window, int slot) {
    static const NotifyWinEventFunction notifyWinEvent =
        findFunction<NotifyWinEventFunction>(GetModuleHandleA("user32.dll"), "NotifyWinEvent");
    if (notifyWinEvent == nullptr || shownEntryPosition(slot) == -1) return;
    notifyWinEvent(EVENT_OBJECT_FOCUS, window, OBJID_CLIENT, childOfSlot(slot));
}
