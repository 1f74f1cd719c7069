#include "tools/datakit/generators.h"

#include <cstdio>
#include <vector>

#include "tools/datakit/figures.h"
#include "tools/datakit/gfxgen.h"
#include "tools/datakit/historycolumns.h"
#include "tools/datakit/language.h"
#include "tools/datakit/menubackgrounds.h"
#include "tools/datakit/menufonts.h"
#include "tools/datakit/menuicons.h"
#include "tools/datakit/models.h"
#include "tools/datakit/motionclips.h"
#include "tools/datakit/nationalitynations.h"
#include "tools/datakit/reportclubs.h"
#include "tools/datakit/shirtdesigns.h"
#include "tools/datakit/sounds.h"
#include "tools/datakit/stafflanguages.h"
#include "tools/datakit/world3d.h"
#include "tools/datakit/worldgen.h"
#include "tools/datakit/worldmap.h"

namespace datakit {

std::span<const Generator> Generators() {
    // One line per generator, in the order they run.
    static const std::vector<Generator> kGenerators = {
        {"language texts", GenerateLanguageTexts},
        {"world database", GenerateWorldDatabase},
        {"match sounds", GenerateMatchSounds},
        {"3D models", GenerateModels},
        {"3D world", GenerateWorld3d},
        {"menu fonts", GenerateMenuFonts},
        {"menu icons", GenerateMenuIcons},
        {"menu backgrounds", GenerateMenuBackgrounds},
        {"world map", GenerateWorldMap},
        {"generated graphics", GenerateGfxGen},
        {"motion clips", GenerateMotionClips},
        {"staff languages", CheckStaffLanguageTable},
        {"nationality nations", CheckNationalityNationTable},
        {"report clubs", CheckReportClubTable},
        {"results browser columns", CheckHistoryColumnTable},
        {"shirt designs", GenerateShirtDesigns},
        {"figures and their looks", GenerateFigures},
    };
    return kGenerators;
}

void RunGenerators() {
    for (const Generator& generator : Generators()) {
        std::printf("datakit: %s\n", generator.name);
        generator.run();
    }
}

}  // namespace datakit
