// Manager vacancies (screen 39): the clubs of a country without a manager
// of their own, with their league place, division and form, each leading to
// its club information, records, league table or squad.  Entered after the
// board has sacked the user, the screen first settles his next job.
#pragma once
#include <cstdint>

#include "core/records/records.h"
#include "game/screens/engine/screenmachine.h"

constexpr int kVacancyRows = 14;
constexpr int kVacancyCountries = 8;
constexpr uint16_t kNoChosenClub = 65535;

extern int16_t VacancyList[kClubCount];
extern int16_t VacancyCount;
extern int16_t VacancyTop;
extern int16_t VacancyCountry;
extern uint16_t VacancyChosenClub;
extern int16_t VacancyNoJob;
extern int16_t VacancyRowsShown;
extern int16_t VacancyRowClubs[kVacancyRows];

extern const MenuItem VacanciesTable[];
void VacanciesScreenProc();
// The first pass after entry (the sacked user settled), and every pass's rows.
void VacanciesEnter();
void VacanciesFillRows();

// The country's vacancies, in club order (other countries' left out).
void Vacancies_BuildList(int16_t country);
// The sacked user's step: with no vacancy of the viewed country that would
// take him at once, the club with the highest reputation that would loses
// its manager, or nobody wants him (text 1117 and the no-job flag).
void Vacancies_SettleSackedUser();
// The club's manager leaves it; a negative club does nothing.
void Vacancies_ReleaseClub(int16_t club);

// The row's club chosen and its pop-up run.
int32_t Vacancies_PickRow(MenuHotItem* item);
int32_t Vacancies_ScrollUp(MenuHotItem* item);
int32_t Vacancies_ScrollDown(MenuHotItem* item);
int32_t Vacancies_ChooseCountry(int16_t button);
// The pop-up's choices for the chosen club.
int32_t Vacancies_ClubInformation(PopupCallBlock* call);
int32_t Vacancies_ClubRecords(PopupCallBlock* call);
int32_t Vacancies_LeagueTable(PopupCallBlock* call);
int32_t Vacancies_ClubSquad(PopupCallBlock* call);
void Vacancies_OpenPopup(PopupCallBlock* call);
extern PopupEntry VacancyClubPopup[];
