#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "platform/Environment.h"
#include "platform/headless/ScriptLog.h"

namespace platform {

class HeadlessDesktop;

// A window the headless desktop knows by its handle. The headless toolkit's forms and controls
// derive from it, so that the calls the WindowSystem takes by handle reach them. It registers
// itself for its whole life.
class HeadlessWindow {
public:
    explicit HeadlessWindow(std::shared_ptr<HeadlessDesktop> desktop);
    virtual ~HeadlessWindow();
    HeadlessWindow(const HeadlessWindow&) = delete;
    HeadlessWindow& operator=(const HeadlessWindow&) = delete;

    WindowHandle Handle() const { return handle_; }
    HeadlessDesktop& Desktop() const { return *desktop_; }
    const std::shared_ptr<HeadlessDesktop>& SharedDesktop() const { return desktop_; }

    // Screen rectangle in physical pixels.
    virtual PixelRect ScreenRect() const = 0;
    virtual void SetScreenRect(const PixelRect& rect) = 0;
    virtual int Dpi() const = 0;
    virtual std::wstring WindowText() const = 0;
    virtual void ChangeWindowText(const std::wstring& text) = 0;

    // What the by-handle calls do. By default they fail loudly: the window is not of the kind
    // the call needs (a button to press, a text box to select, a form to unload).
    virtual void SelectAllText();
    virtual void Press();
    virtual void RequestUnload();
    virtual void TakeFocus();
    virtual void BringToForeground();

    // What the WindowSystem recorded about the window.
    int showCommand = 1;
    int dpiOfPlacement = 0;     // the DPI the last SetPlacement carried
    std::wstring iconResource;  // the icon group last set, empty when none or cleared
    int backgroundPaints = 0;   // PaintBackground calls
    bool systemMenuTrimmed = false;

protected:
    [[noreturn]] void FailUnsupported(const char* call) const;

private:
    std::shared_ptr<HeadlessDesktop> desktop_;
    WindowHandle handle_;
};

// The table of headless windows by handle, the focus, the active window and the stacking order
// of top-level windows. Shared by every window, so that a window may safely outlive the
// environment that created it.
class HeadlessDesktop {
public:
    ScriptLog log;

    WindowHandle Register(HeadlessWindow& window);
    void Unregister(WindowHandle handle);
    HeadlessWindow* Find(WindowHandle handle) const;
    // The window of that handle; fails loudly for an unknown handle.
    HeadlessWindow& Get(WindowHandle handle);
    // Every window, oldest first.
    std::vector<HeadlessWindow*> Windows() const;

    WindowHandle Active() const { return active_; }
    WindowHandle Focused() const { return focused_; }
    void SetActive(WindowHandle window);
    void SetFocused(WindowHandle window) { focused_ = window; }

    // Top-level windows that are showing, bottom first.
    const std::vector<WindowHandle>& ZOrder() const { return zOrder_; }
    void RaiseToTop(WindowHandle window);
    void RemoveFromZOrder(WindowHandle window);

private:
    std::uintptr_t nextHandle_ = 0x10010;
    std::map<std::uintptr_t, HeadlessWindow*> windows_;
    WindowHandle active_ = nullptr;
    WindowHandle focused_ = nullptr;
    std::vector<WindowHandle> zOrder_;
};

// A plain top-level window: a rectangle and a text, nothing more. The hidden owner window is
// one; tests make others to place and centre.
class HeadlessPlainWindow : public HeadlessWindow {
public:
    HeadlessPlainWindow(std::shared_ptr<HeadlessDesktop> desktop, const PixelRect& rect, int dpi);

    PixelRect ScreenRect() const override { return rect_; }
    void SetScreenRect(const PixelRect& rect) override { rect_ = rect; }
    int Dpi() const override { return dpi_; }
    void SetDpi(int dpi) { dpi_ = dpi; }
    std::wstring WindowText() const override { return text_; }
    void ChangeWindowText(const std::wstring& text) override { text_ = text; }
    void TakeFocus() override;
    void BringToForeground() override;

private:
    PixelRect rect_;
    int dpi_;
    std::wstring text_;
};

}  // namespace platform
