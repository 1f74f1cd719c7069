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
//   funcs_fields.h        player, club and fixture fields with their display scaling
//   funcs_state.h         the layer's own state, calendar globals and small tables
//   funcs_forward.h       forwarders into the season, club-management, history and menu code
//   funcs_dates.h         dates, recent form, banded rating texts, reserve-league rows
//   funcs_league.h        league places, standing classes, honours, record holders
//   funcs_europe.h        European qualification and Champions League groups
//   funcs_comp.h          competition codes, round names, fixture listings
//   funcs_cup.h           cup entry rounds, fixture play options, division moves
//   funcs_outlook.h       league outlook, honours competition names, reputation places
//   funcs_divindex.h      a club's index within its division row
//   funcs_fixtures.h      fixture look-ups of the screens
//   funcs_matchday.h      match-day look-ups and match ratings
//   funcs_rankings.h      division rankings for the match report
//   funcs_report.h        player picks of the match report
//   funcs_best11.h        the best eleven of the viewed country
//   funcs_comments.h      squad and match comments
//   funcs_roles.h         captain and set-piece taker choices
//   funcs_people.h        the user's lists, player and squad queries, names and dates
//   funcs_scouting.h      scouting regions, agents, nations, interest grade
//   funcs_texts.h         honour, injury, message, role and tactic-position texts
//   funcs_usertransfers.h user transfers and manager jobs
// The training and player-watch members live with their records in
// core/records/training.h.
#pragma once

#include "core/query/funcs_best11.h"
#include "core/query/funcs_comments.h"
#include "core/query/funcs_comp.h"
#include "core/query/funcs_cup.h"
#include "core/query/funcs_dates.h"
#include "core/query/funcs_divindex.h"
#include "core/query/funcs_europe.h"
#include "core/query/funcs_fields.h"
#include "core/query/funcs_fixtures.h"
#include "core/query/funcs_forward.h"
#include "core/query/funcs_league.h"
#include "core/query/funcs_matchday.h"
#include "core/query/funcs_outlook.h"
#include "core/query/funcs_people.h"
#include "core/query/funcs_rankings.h"
#include "core/query/funcs_report.h"
#include "core/query/funcs_roles.h"
#include "core/query/funcs_scouting.h"
#include "core/query/funcs_state.h"
#include "core/query/funcs_texts.h"
#include "core/query/funcs_usertransfers.h"
#include "core/records/training.h"
