// The built-in club names: clubs 0 to 1199 and, last, "Free Agent".  The
// table is made at build time from the same pools and plan as the shipped
// database, so both always name a club alike.
#pragma once

constexpr int DEFAULT_CLUB_NAME_COUNT = 1201;
constexpr int DEFAULT_CLUB_FREE_AGENT = 1200;

extern const char* const DefaultClubNames[DEFAULT_CLUB_NAME_COUNT];
