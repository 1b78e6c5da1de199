// Replay of a fuzz target's saved inputs (fuzz/corpus/<target>: the seeds and
// every input that ever found a fault) through the target's entry.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

// Runs every saved input of `target` through `entry`, failing the current test
// (with the input's name) for each that does not give 0. Returns how many
// inputs were run.
int ReplayFuzzCorpus(const std::string& target, int (*entry)(const uint8_t*, std::size_t));
