#pragma once
// Scoped device-context work: a window's DC released, and a GDI object
// selected into a DC for a while and the earlier one put back, on every
// path.
#include <windows.h>

class WindowDC {
public:
    explicit WindowDC(HWND window) : window_(window), context_(GetDC(window)) {}
    ~WindowDC() {
        if (context_) ReleaseDC(window_, context_);
    }
    WindowDC(const WindowDC&) = delete;
    WindowDC& operator=(const WindowDC&) = delete;

    HDC Get() const { return context_; }

private:
    HWND window_;
    HDC context_;
};

class SelectedObject {
public:
    SelectedObject(HDC context, HGDIOBJ object) : context_(context), earlier_(SelectObject(context, object)) {}
    ~SelectedObject() {
        if (earlier_) SelectObject(context_, earlier_);
    }
    SelectedObject(const SelectedObject&) = delete;
    SelectedObject& operator=(const SelectedObject&) = delete;

private:
    HDC context_;
    HGDIOBJ earlier_;
};

// A GDI object (a brush, a font) made for a while and deleted after.
template <class Object>
class OwnedGdiObject {
public:
    explicit OwnedGdiObject(Object object) : object_(object) {}
    ~OwnedGdiObject() {
        if (object_) DeleteObject(object_);
    }
    OwnedGdiObject(const OwnedGdiObject&) = delete;
    OwnedGdiObject& operator=(const OwnedGdiObject&) = delete;

    Object Get() const { return object_; }

private:
    Object object_;
};
