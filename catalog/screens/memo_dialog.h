// The memo import dialog (2900, "Import Memo File") and the menu command
// "Import Memo to List". The dialog lists the memo files of "userlists"; a tap
// on a row shows the beginning of that file, Import reads the chosen file and
// closes the dialog, Ok closes it without reading.
#pragma once

#include <cstddef>

#include "catalog/name_table.h"
#include "platform/types.h"

// The "*.txt" files of "userlists", scanned when the dialog first paints;
// row i of the dialog's list shows entry i.
extern NameTable memoNameTable;

// Runs dialog 2900 modally over the active form. On return `buffer` (`size`
// bytes) holds the chosen file's text, terminated, or is empty when none was
// read; a file too long for it is cut after its last whole line, and "Memo
// file too long." (the file name as detail) is shown once the dialog has
// closed. Returns `buffer`.
char* ImportMemoFile(char* buffer, std::size_t size);

// Menu command "Import Memo to List": the chosen memo file becomes the new
// observing list (ImportMemoFileText) and the VezizIvodozi form (1800) opens.
// Returns 1 when the list was replaced; 0 when the dialog was left without a
// file, or the file gave no entry (the list is then left as it was and the
// current form opened again), or the text buffer cannot be allocated.
int ImportListFromMemo();

// The dialog's procedure.
pl::LResult MemoImportDialogProc(pl::Hwnd dialog, uint32_t message, pl::WParam wParam, pl::LParam lParam);
