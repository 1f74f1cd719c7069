// The query layer: the screens' one door to the game records.  A screen
// never indexes a record table itself; it asks these HVW_ members.
//
// Conventions of every member:
// - A player is an unsigned 16-bit player number; a club, fixture slot,
//   competition code, day, country and division are signed 16-bit.
// - Results are 16-bit unless the member says 32-bit (money, percentages of
//   money, record addresses).
// - A member adds no range check of its own: a bad player or club ends the
//   program with the message of the record accessor it calls.  Fixture
//   getters and the record-address members do not check at all.
// - Display scaling happens here and nowhere else: age is kept as years
//   minus 16, wages in units of 25, morale, fitness and fatigue 0..60,
//   experience 0..63, disciplinary points in units of 3.  Percentages are
//   value x 100 / maximum in 32-bit arithmetic, truncated toward zero.
// - Text results are text ids for GetText, or pointers to a static buffer of
//   the layer that the next call of the same member overwrites.
//
// The members are grouped by subject, one header per group beside the
// source file that defines it; this header only includes them all.  Include
// the narrow header where a file needs one group:
//   fields.h        player, club and fixture fields with their display scaling
//   layerstate.h         the layer's own state, calendar globals and small tables
//   forwarders.h       forwarders into the season, club-management, history and menu code
//   datesandform.h         dates, recent form, banded rating texts, reserve-league rows
//   leagueplaces.h        league places, standing classes, honours, record holders
//   europeanplaces.h        European qualification and Champions League groups
//   competitionnames.h          competition codes, round names, fixture listings
//   cupentry.h           cup entry rounds, fixture play options, division moves
//   leagueoutlook.h       league outlook, honours competition names, reputation places
//   divisionindex.h      a club's index within its division row
//   fixturelookups.h      fixture look-ups of the screens
//   matchdaylookups.h      match-day look-ups and match ratings
//   scorerrankings.h      division rankings for the match report
//   reportpicks.h        player picks of the match report
//   besteleven.h        the best eleven of the viewed country
//   teamremarks.h      squad and match comments
//   userroles.h         captain and set-piece taker choices
//   people.h        the user's lists, player and squad queries, names and dates
//   scouting.h      scouting regions, agents, nations, interest grade
//   codetexts.h         honour, injury, message, role and tactic-position texts
//   userdecisions.h user transfers and manager jobs
// The training and player-watch members live with their records in
// core/records/training.h.
#pragma once

#include "core/query/besteleven.h"
#include "core/query/codetexts.h"
#include "core/query/competitionnames.h"
#include "core/query/cupentry.h"
#include "core/query/datesandform.h"
#include "core/query/divisionindex.h"
#include "core/query/europeanplaces.h"
#include "core/query/fields.h"
#include "core/query/fixturelookups.h"
#include "core/query/forwarders.h"
#include "core/query/layerstate.h"
#include "core/query/leagueoutlook.h"
#include "core/query/leagueplaces.h"
#include "core/query/matchdaylookups.h"
#include "core/query/people.h"
#include "core/query/reportpicks.h"
#include "core/query/scorerrankings.h"
#include "core/query/scouting.h"
#include "core/query/teamremarks.h"
#include "core/query/userdecisions.h"
#include "core/query/userroles.h"
#include "core/records/training.h"
