// TEMPORARY debugging harness (not to be committed).
#include <gtest/gtest.h>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string>
#include <vector>
#include "database/frontstate.h"
#include "match/matchresult.h"
#include "match/matchsetup.h"
#include "match/matchhooks.h"
#include "match/matchengine.h"
#include "support/random.h"
#include "season/fixtures.h"

// Reuse the batch's helpers by including its file would clash; declare what we need.
