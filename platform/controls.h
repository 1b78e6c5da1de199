// The standard controls: static text, push button, check box, edit and the
// report-style list view. Each is a window class whose procedure a program
// may subclass; they paint from the system colours (platform/sys_colors.h)
// in the system font and talk to their parent with WM_COMMAND and WM_NOTIFY.
// Control messages and styles are our own numbers (messages below 1024, the
// styles in the low 16 bits of the window style).
#pragma once

#include <cstdint>
#include <string>

#include "platform/dc.h"
#include "platform/types.h"

namespace pl {

// Class names.
inline constexpr const char* kStaticClass = "Static";
inline constexpr const char* kButtonClass = "Button";
inline constexpr const char* kEditClass = "Edit";
inline constexpr const char* kListViewClass = "ListView";

// Registers the control classes (again after ResetWindows); safe to repeat.
void RegisterControlClasses();

// Whether the text of a static, push button or check box lies whole inside
// it as its paint lays it out (the dialog font; statics wrap between words).
// True for every other control.
bool ControlTextFits(Hwnd control);

// Styles.
constexpr uint32_t SS_CENTER = 0x0001;
constexpr uint32_t SS_RIGHT = 0x0002;
constexpr uint32_t BS_DEFPUSHBUTTON = 0x0001;
constexpr uint32_t BS_AUTOCHECKBOX = 0x0003;
constexpr uint32_t BS_TYPEMASK = 0x000F;
constexpr uint32_t ES_MULTILINE = 0x0004;
constexpr uint32_t ES_READONLY = 0x0800;
constexpr uint32_t LVS_SINGLESEL = 0x0004;
constexpr uint32_t LVS_OWNERDRAWFIXED = 0x0400;
constexpr uint32_t LVS_OWNERDATA = 0x1000;
constexpr uint32_t LVS_NOSCROLL = 0x2000;
constexpr uint32_t LVS_NOCOLUMNHEADER = 0x4000;

// Button messages and notification.
constexpr uint32_t BM_GETCHECK = 0x0300;  // result: 1 checked, 0 not
constexpr uint32_t BM_SETCHECK = 0x0301;  // wParam: 1 checked, 0 not
constexpr uint32_t BM_CLICK = 0x0302;     // as a tap on the button
constexpr uint32_t BN_CLICKED = 0;        // WM_COMMAND high word

// Edit messages.
constexpr uint32_t EM_SETSEL = 0x0310;     // wParam, lParam: caret at lParam (-1: the end)
constexpr uint32_t EM_LIMITTEXT = 0x0311;  // wParam: most characters the user can type (0: no limit)
constexpr uint32_t EM_SETREADONLY = 0x0312;

// List-view messages. Rows are items; each has a text per column, a state
// and a 32-bit value.
constexpr uint32_t LVM_GETITEMCOUNT = 0x0320;
constexpr uint32_t LVM_SETITEMCOUNT = 0x0321;       // wParam: count (owner data: the rows there are;
                                                    // else rows are added or cut to it)
constexpr uint32_t LVM_INSERTITEM = 0x0322;         // lParam: const LvItem*; result: index or -1
constexpr uint32_t LVM_DELETEITEM = 0x0323;         // wParam: index
constexpr uint32_t LVM_DELETEALLITEMS = 0x0324;
constexpr uint32_t LVM_GETSELECTIONMARK = 0x0325;
constexpr uint32_t LVM_SETSELECTIONMARK = 0x0326;   // lParam: index or -1; result: previous
constexpr uint32_t LVM_SETITEMSTATE = 0x0327;       // wParam: index (-1: every row); lParam: const LvItem*
                                                    // (state under stateMask)
constexpr uint32_t LVM_GETITEMSTATE = 0x0328;       // wParam: index; lParam: mask
constexpr uint32_t LVM_ENSUREVISIBLE = 0x0329;      // wParam: index
constexpr uint32_t LVM_HITTEST = 0x032A;            // lParam: LvHitTest*; result: index or -1
constexpr uint32_t LVM_GETITEMTEXT = 0x032B;        // wParam: index; lParam: LvItem* (column, text, textMax)
constexpr uint32_t LVM_SETITEMTEXT = 0x032C;        // wParam: index; lParam: const LvItem*
constexpr uint32_t LVM_SETBKCOLOR = 0x032D;         // lParam: ColorRef of the list's background
constexpr uint32_t LVM_SETTEXTBKCOLOR = 0x032E;     // lParam: ColorRef behind row text
constexpr uint32_t LVM_SETTEXTCOLOR = 0x032F;       // lParam: ColorRef of row text
constexpr uint32_t LVM_INSERTCOLUMN = 0x0330;       // wParam: index; lParam: const LvColumn*
constexpr uint32_t LVM_SETCOLUMNWIDTH = 0x0331;     // wParam: column; lParam: width in pixels
constexpr uint32_t LVM_SETEXTENDEDSTYLE = 0x0332;   // wParam: mask; lParam: LVS_EX_* bits
constexpr uint32_t LVM_GETTOPINDEX = 0x0333;
constexpr uint32_t LVM_GETCOUNTPERPAGE = 0x0334;
constexpr uint32_t LVM_GETITEMRECT = 0x0335;        // wParam: index; lParam: Rect* (client coordinates)
constexpr uint32_t LVM_GETNEXTITEM = 0x0336;        // wParam: start (-1: from the top); lParam: state mask
constexpr uint32_t LVM_SETITEMDATA = 0x0337;        // wParam: index; lParam: value
constexpr uint32_t LVM_GETITEMDATA = 0x0338;        // wParam: index
constexpr uint32_t LVM_SCROLL = 0x0339;             // wParam: rows to scroll down (negative: up)

constexpr uint32_t LVS_EX_FULLROWSELECT = 0x0020;

// Row states.
constexpr uint32_t LVIS_FOCUSED = 0x0001;
constexpr uint32_t LVIS_SELECTED = 0x0002;

// LvItem fields that are set.
constexpr uint32_t LVIF_TEXT = 0x0001;
constexpr uint32_t LVIF_IMAGE = 0x0002;
constexpr uint32_t LVIF_PARAM = 0x0004;
constexpr uint32_t LVIF_STATE = 0x0008;

struct LvItem {
    uint32_t mask = 0;
    int item = 0;
    int subItem = 0;
    uint32_t state = 0;
    uint32_t stateMask = 0;
    char* text = nullptr;  // Windows-1252; for LVM_GETITEMTEXT and display requests a buffer of textMax bytes
    int textMax = 0;
    int image = 0;
    LParam param = 0;
};

struct LvColumn {
    int width = 0;
    const char* text = "";
};

struct LvHitTest {
    Point pt;                  // client coordinates
    int item = -1;             // the row there, or -1
    bool onScrollBar = false;  // the point is on the list's vertical scroll bar
};

// WM_NOTIFY: lParam points to a header (or a record that begins with one).
struct NotifyHeader {
    Hwnd from = nullptr;
    int id = 0;
    int code = 0;
};
constexpr int NM_CLICK = -2;
constexpr int LVN_ITEMCHANGED = -101;
constexpr int LVN_GETDISPINFO = -150;  // an owner-data list asks for a row's text

// LVN_GETDISPINFO: the owner fills item.text (item.textMax bytes) and image.
struct LvDispInfo {
    NotifyHeader header;
    LvItem item;
};

// LVN_ITEMCHANGED: a row's state changed.
struct LvChange {
    NotifyHeader header;
    int item = -1;
    uint32_t oldState = 0;
    uint32_t newState = 0;
};

// Owner draw.
constexpr uint32_t ODT_LISTVIEW = 102;
constexpr uint32_t ODA_DRAWENTIRE = 0x0001;
constexpr uint32_t ODS_SELECTED = 0x0001;
constexpr uint32_t ODS_FOCUS = 0x0010;

// WM_MEASUREITEM (wParam: control id; lParam: MeasureItem*), sent to the parent
// when an owner-drawn list is made: the parent sets itemHeight.
struct MeasureItem {
    uint32_t ctlType = ODT_LISTVIEW;
    int ctlId = 0;
    int itemId = 0;
    int itemWidth = 0;
    int itemHeight = 0;
};

// WM_DRAWITEM (wParam: control id; lParam: DrawItem*), one per shown row.
struct DrawItem {
    uint32_t ctlType = ODT_LISTVIEW;
    int ctlId = 0;
    int itemId = 0;
    uint32_t itemAction = ODA_DRAWENTIRE;
    uint32_t itemState = 0;  // ODS_*
    Hwnd hwndItem = nullptr;
    Hdc hdc = nullptr;
    Rect rcItem;  // the row, client coordinates of the list
    LParam itemData = 0;
};

// System metrics.
constexpr int SM_CXVSCROLL = 2;  // width of a vertical scroll bar
// A metric in pixels for the present screen; 0 for an unknown one.
int GetSystemMetrics(int metric);

// Thin wrappers over the list-view messages.
int ListViewGetItemCount(Hwnd list);
int ListViewInsertItem(Hwnd list, int index, const std::string& text);
bool ListViewDeleteAllItems(Hwnd list);
int ListViewGetSelectionMark(Hwnd list);
int ListViewSetSelectionMark(Hwnd list, int index);
bool ListViewSetItemState(Hwnd list, int index, uint32_t state, uint32_t mask);
uint32_t ListViewGetItemState(Hwnd list, int index, uint32_t mask);
bool ListViewEnsureVisible(Hwnd list, int index);
int ListViewHitTest(Hwnd list, Point client);
// Whether a client point of the list is on its vertical scroll bar (false
// when the rows fit and no bar is shown).
bool ListViewOnScrollBar(Hwnd list, Point client);
std::string ListViewGetItemText(Hwnd list, int index, int column = 0);
int ListViewGetTopIndex(Hwnd list);

}  // namespace pl
