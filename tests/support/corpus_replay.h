// Replays the saved inputs of a fuzz target (fuzz/corpus/<target>: the seeds
// and every input that ever found a fault) through its entry function, so
// that a fault found once stays found.
#pragma once

#include <cstddef>
#include <cstdint>

using FuzzEntry = int (*)(const uint8_t* data, std::size_t size);

// Runs every file of fuzz/corpus/<target> below `sourceDir` through `entry`,
// expecting 0 from each (a GoogleTest failure names the file); returns the
// number of files.
int ReplayCorpus(const char* sourceDir, const char* target, FuzzEntry entry);
