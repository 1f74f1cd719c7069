// Two files that define one name, for the one-definition check's own test:
// the check must name both files for each of these names. Overloads
// declared side by side in this one header pass.
#pragma once

// Defined in plant_a.cc; plant_b.cc defines the same name with three
// arguments, as two routines of one name in two modules would be.
short PlantedSum(short a, short b);
short PlantedSum(short a, short b, short c);

// A header's inline routine, kept out of line in plant_b.cc, whose name
// plant_a.cc defines for good.
[[gnu::noinline]] inline int PlantedTwice(int a) { return a * 2; }

// Declared again in plant_again.h, which the check must name with this one.
long PlantedDeclared(long a);
