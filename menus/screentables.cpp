#include "menus/screentables.h"

#include "menus/boardview.h"
#include "menus/clubinfo.h"
#include "menus/clubmain.h"
#include "menus/divisionclubs.h"
#include "menus/filteredlist.h"
#include "menus/friendlies.h"
#include "menus/inbox.h"
#include "menus/loanterms.h"
#include "menus/matchmarks.h"
#include "menus/menucont.h"
#include "menus/playedcountries.h"
#include "menus/playerinfo.h"
#include "menus/playerprofile.h"
#include "menus/saveslots.h"
#include "menus/scouting.h"
#include "menus/squadlist.h"
#include "menus/startmenu.h"
#include "menus/teamselect.h"
#include "menus/vacancies.h"

const MenuItem* FrontEndScreenTable(int16_t id) {
    switch (id) {
        case 3:
            return ClubMainTable;
        case 4:
            return PlayerStatsTable;
        case 5:
            return DivisionClubsTable;
        case 6:
            return ClubInfoTable;
        case 16:
            return SurnameMenuTable;
        case 18:
            return LoanTermsTable;
        case 7:
        case 73:
        case 74:
            return SquadListTable;
        case 17:
            return FriendliesTable;
        case 21:
            return FilteredSquadListTable;
        case 22:
            return StartMenuTable;
        case 24:
            return TeamSelectTable;
        case 39:
            return VacanciesTable;
        case 65:
            return PlayerInfoHeaderTable;
        case 75:
            return PlayerInfoTable;
        case 46:
        case 47:
            return SaveLoadTable;
        case 82:
            return MatchMarksTable;
        case 90:
            return ScoutingTable;
        case 98:
            return LoadSlotZeroTable;
        case 99:
            return InboxTable;
        case 106:
            return BoardViewTable;
        case 108:
            return PlayedCountriesTable;
        default:
            return LeastScreenTable;
    }
}
