// The generators of the shipped data, run in order.  Each one stages the
// files it makes (stage.h); to add one, write it in its own source file and
// list it in generators.cpp.
#pragma once
#include <span>

namespace datakit {

struct Generator {
    const char* name;
    void (*run)();
};

std::span<const Generator> Generators();
// Runs every generator in order, logging each.
void RunGenerators();

}  // namespace datakit
