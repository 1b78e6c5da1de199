#include "support/layout_check.h"

#include <cstdio>
#include <functional>
#include <utility>

#include "platform/controls.h"
#include "platform/dialog.h"
#include "platform/text_log.h"
#include "platform/window.h"

namespace {

std::string Quoted(const std::string& text) { return "\"" + text + "\""; }

std::string Where(const pl::Rect& r) {
    char text[64];
    std::snprintf(text, sizeof text, "(%d,%d)-(%d,%d)", r.left, r.top, r.right, r.bottom);
    return text;
}

void ForEachDescendant(pl::Hwnd window, const std::function<void(pl::Hwnd)>& visit) {
    for (pl::Hwnd child : pl::ChildWindows(window)) {
        visit(child);
        ForEachDescendant(child, visit);
    }
}

bool IsDescendant(pl::Hwnd window, pl::Hwnd of) {
    for (pl::Hwnd w = window; w; w = pl::GetParent(w))
        if (w == of) return true;
    return false;
}

// List views cut long rows and edits scroll their text by design.
bool CutsByDesign(pl::Hwnd control) {
    std::string cls = pl::GetClassName(control);
    return cls == pl::kListViewClass || cls == pl::kEditClass;
}

void LabelFaults(pl::Hwnd window, std::vector<std::string>* faults) {
    ForEachDescendant(window, [&](pl::Hwnd control) {
        // An empty label (a bitmap button's) has nothing to cut.
        if (!pl::IsWindowVisible(control) || pl::StoredWindowText(control).empty() || pl::ControlTextFits(control))
            return;
        pl::Rect r;
        pl::GetWindowRect(control, &r);
        faults->push_back("label " + Quoted(pl::StoredWindowText(control)) + " of control " +
                          std::to_string(pl::GetDlgCtrlID(control)) + " does not fit " + Where(r));
    });
}

}  // namespace

std::vector<std::string> LayoutFaults(pl::Hwnd window) {
    std::vector<std::string> faults;
    LabelFaults(window, &faults);
    pl::Rect area;
    pl::GetWindowRect(window, &area);
    std::vector<pl::TextRun> own;
    for (const pl::TextRun& run : pl::LoggedTexts(pl::ScreenSurfaceSerial())) {
        if (run.exempt || pl::Intersect(run.ink, area) != run.ink) continue;
        bool mine = !run.window || run.window == window;
        if (!mine && (!IsDescendant(run.window, window) || CutsByDesign(run.window))) continue;
        if (run.cut) faults.push_back("text " + Quoted(run.text) + " is cut at " + Where(run.ink) + " cell " + Where(run.cell));
        if (mine) own.push_back(run);
    }
    for (size_t i = 0; i < own.size(); ++i)
        for (size_t j = i + 1; j < own.size(); ++j) {
            const pl::TextRun& a = own[i];
            const pl::TextRun& b = own[j];
            if (pl::Intersect(a.ink, b.ink).IsEmpty() || (a.text == b.text && a.cell == b.cell)) continue;
            faults.push_back("text " + Quoted(a.text) + " at " + Where(a.ink) + " overlaps " + Quoted(b.text) +
                             " at " + Where(b.ink));
        }
    return faults;
}

std::vector<std::string> ControlsNotApart(pl::Hwnd form, const std::vector<int>& ids, int width, int height) {
    std::vector<std::string> faults;
    std::vector<std::pair<int, pl::Rect>> shown;
    for (int id : ids) {
        pl::Hwnd c = pl::GetDlgItem(form, id);
        if (!c || !pl::IsWindowVisible(c)) continue;
        pl::Rect r;
        pl::GetWindowRect(c, &r);
        if (!(r.left >= 0 && r.top >= 0 && r.right <= width && r.bottom <= height))
            faults.push_back(std::to_string(id) + " leaves the screen at " + Where(r));
        shown.push_back({id, r});
    }
    for (std::size_t i = 0; i < shown.size(); ++i)
        for (std::size_t j = i + 1; j < shown.size(); ++j) {
            const pl::Rect& a = shown[i].second;
            const pl::Rect& b = shown[j].second;
            if (a.right <= b.left || b.right <= a.left || a.bottom <= b.top || b.bottom <= a.top) continue;
            faults.push_back(std::to_string(shown[i].first) + " and " + std::to_string(shown[j].first) + " overlap");
        }
    return faults;
}
