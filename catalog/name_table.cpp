#include "catalog/name_table.h"

#include <cstdio>
#include <string>

#include "platform/files.h"

char* GetNameTableEntry(NameTable* table, int i) {
    if (!table || i < 0) return nullptr;
    while (table->Count() <= i) table->Append(NameTableEntry{});
    return (*table)[i].data();
}

int ScanNameTable(NameTable* table, const char* folder, const char* pattern) {
    table->Clear();
    if (!pl::FileExists(folder)) pl::MakeDirectory(folder);
    for (const std::string& name : pl::ListDirectory(std::string(folder) + "\\" + pattern)) {
        if (name == "." || name == "..") continue;
        std::snprintf(GetNameTableEntry(table, table->Count()), kNameTableEntrySize, "%s", name.c_str());
    }
    return table->Count();
}
