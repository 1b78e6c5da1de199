// The list manager (form 1050, "ListManager"): saves, loads, shows and
// deletes the observing lists kept in "userlists" ("Lists" mode), or picks
// the user catalogue from the files of "usercatalogs" ("User Catalogs" mode).
// Opened by the menu command "Load/Save Lists", the home form's list button
// and the sky chart's list popup (after SetListManagerMode).
#pragma once

#include <cstdint>

#include "catalog/name_table.h"
#include "platform/types.h"

constexpr int kListManagerForm = 1050;
constexpr int kListManagerLists = 0;
constexpr int kListManagerUserCatalogs = 1;

// 0 "Lists", 1 "User Catalogs"; kept while the program runs.
extern int listManagerMode;
// The file names list 1051 shows, row i entry i; rebuilt at every refresh.
extern NameTable listManagerNames;

// Sets the mode the form opens in (any value other than 1 is "Lists").
void SetListManagerMode(int mode);

// Fills the file list from the mode's folder (made when missing) and shows
// the controls of the mode; in "Lists" mode the name field reads "<New list
// name>" and the date and time fields the selection criteria's. No row is
// selected afterwards.
void RefreshListManager();

// The name, count, date and time of the selected list file in the name,
// date and time fields ("Lists" mode). "Can't open file." with the path, or
// "Can't read header.", when the file cannot be read.
void ShowListFileHeader();

// The action of a control or command of the form; 1 when handled.
int HandleListManagerCommand(int id);

// The form's dialog procedure.
pl::LResult ListManagerProc(pl::Hwnd form, uint32_t message, pl::WParam wParam, pl::LParam lParam);
