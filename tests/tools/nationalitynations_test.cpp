// The authored nationality-to-nation table passes the kit's check.
#include <gtest/gtest.h>

#include "tools/datakit/nationalitynations.h"

TEST(NationalityNations, TheAuthoredTableIsSound) { EXPECT_EQ(datakit::CheckNationalityNations(), ""); }
