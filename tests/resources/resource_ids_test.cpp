// Every resource id is defined by one group only: a lookup takes the first group
// that has the id, so a second definition would be silently shadowed.
#include <gtest/gtest.h>

#include <map>
#include <string>

#include "resources/program_resources.h"

namespace {

template <typename Span>
void CountIds(const char* kind, Span items, std::map<std::string, int>& seen) {
    for (const auto& item : items) ++seen[std::string(kind) + " " + std::to_string(item.id)];
}

TEST(ResourceIds, EachIdIsDefinedByOneGroup) {
    std::map<std::string, int> seen;
    for (const pl::ResourceGroup* g : ProgramResourceGroups()) {
        CountIds("dialog", g->dialogs, seen);
        CountIds("menu", g->menus, seen);
        CountIds("menu bar", g->menuBars, seen);
        CountIds("accelerators", g->accelerators, seen);
        CountIds("string", g->strings, seen);
        CountIds("bitmap", g->bitmaps, seen);
    }
    for (const auto& [id, count] : seen) EXPECT_EQ(count, 1) << id;
}

}  // namespace
