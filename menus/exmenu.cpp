#include "menus/exmenu.h"

#include "menus/exm_text.h"

uint16_t DrawColour = 0x03E0;
int16_t TextColourNumber = 0;
int32_t ButtonStyle = 0;
int32_t CurrentListEntry = -1;

void SetDrawParam(int32_t kind, int32_t value) {
    switch (kind) {
        case 1:
            TextColourNumber = int16_t(value);
            break;
        case 2:
            DrawColour = uint16_t(value);
            break;
        case 3:
            CurrentNumberType = value;
            break;
        case 4:
            ButtonStyle = value;
            break;
        case 5:
        case 6:
        case 8:
            CurrentListEntry = value;
            break;
        case 7:
            SetTextOpacity(int16_t(value * 255 / 100));
            break;
        case 9:
            CurrentListEntry = -1;
            break;
        default:
            break;
    }
}
