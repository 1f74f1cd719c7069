// A second header that declares a name plant.h declares already, for the
// one-definition check's own test: the check must name both headers.
#pragma once

// Also declared in plant.h; plant_a.cc defines it.
long PlantedDeclared(long a);
