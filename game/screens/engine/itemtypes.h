// The item type codes of screen tables: the first field of every MenuItem.
// Types come mostly in pairs: the odd one takes its value from the item's
// data itself (a text id, an icon, a parameter, a string, a record), the even
// one through the variable whose address is the data (_VAR).  The widths of
// the number variables are in their names.
#pragma once
#include <cstdint>

enum MenuItemType : uint16_t {
    // Icons: with a press animation played forwards and back, static, looping,
    // moving along a path of {dx, dy, icon} entries, played once.
    MI_ICON_BOUNCE = 1,
    MI_ICON_BOUNCE_VAR = 2,
    MI_ICON = 3,
    MI_ICON_VAR = 4,
    MI_ICON_LOOP = 5,
    MI_ICON_LOOP_VAR = 6,
    MI_ICON_PATH = 7,
    MI_ICON_PATH_VAR = 8,
    MI_ICON_ONCE = 9,
    MI_ICON_ONCE_VAR = 10,
    // A background picture by number.
    MI_BACKGROUND = 11,
    MI_BACKGROUND_VAR = 12,
    MI_FONT = 13,
    MI_FONT_VAR = 14,
    // Text by text id, and a string (the string at data, or through a
    // variable holding its address).
    MI_TEXT = 15,
    MI_TEXT_VAR = 16,
    MI_STRING = 17,
    MI_STRING_VAR = 18,
    // Numbers: immediate (inside a group the row is added, so a column of
    // them counts up), then variables of the named widths.
    MI_NUMBER = 19,
    MI_NUMBER_I8 = 20,
    MI_NUMBER_U8 = 21,
    MI_NUMBER_I16 = 22,
    MI_NUMBER_U16 = 23,
    MI_NUMBER_I32 = 24,
    // Lines, outlines and filled rectangles (the second of each pair hands
    // its data on as an address).
    MI_LINE = 25,
    MI_LINE_ADDRESS = 26,
    MI_BOX = 27,
    MI_BOX_ADDRESS = 28,
    MI_FILL = 29,
    MI_FILL_ADDRESS = 30,
    // Invisible selectable rectangles: the first carries its data as value.
    MI_HOT_RECT = 31,
    MI_HOT_RECT_ADDRESS = 32,
    // Vertical repeat groups: the nested table at data, or through a variable.
    MI_GROUP = 33,
    MI_GROUP_VAR = 34,
    MI_NOTHING = 35,
    // Drawn by the function at data, called with the item's rectangle.
    MI_CUSTOM = 36,
    // Icon with a press animation that plays once forwards.
    MI_ICON_PRESS = 37,
    MI_ICON_PRESS_VAR = 38,
    // Draw parameters: text colour, colour, number type.
    MI_TEXT_COLOUR = 48,
    MI_TEXT_COLOUR_VAR = 49,
    MI_COLOUR = 50,
    MI_COLOUR_VAR = 51,
    MI_NUMBER_TYPE = 52,
    MI_NUMBER_TYPE_VAR = 53,
    // The first item of a table (the screen function), the last (the exit
    // function and end handler), and the screen-save marker.
    MI_SCREEN = 54,
    MI_END = 55,
    MI_SAVE_MARKER = 56,
    // Draw parameter 0, which draws nothing differently.
    MI_PARAM0 = 57,
    MI_PARAM0_VAR = 58,
    // Horizontal repeat groups.
    MI_ROW_GROUP = 61,
    MI_ROW_GROUP_VAR = 62,
    // A hover area (its handler told when the cursor enters or leaves).
    MI_HOVER_AREA = 63,
    // Scroll bars over the scroll record at data.
    MI_SCROLL_HORIZONTAL = 64,
    MI_SCROLL_VERTICAL = 65,
    // A custom animation over the timer record at data.
    MI_ANIMATION = 66,
    // Selectable areas, the second with a 32-bit value.
    MI_AREA = 67,
    MI_AREA_LONG = 68,
    // Sets the walk's row counter.
    MI_SET_ROW = 70,
    // A word-wrapped text box: the string at data, or through a variable.
    MI_WRAPPED_TEXT = 71,
    MI_WRAPPED_TEXT_VAR = 72,
    MI_WRAP_PARAM = 73,
    // Icon animation that plays while the mouse is over it.
    MI_ICON_HOVER = 74,
    MI_ICON_HOVER_VAR = 75,
    // Draw parameters: button style, the list-entry parameters 5 and 6,
    // alpha (percent), the list-entry parameters 8 and 9.
    MI_BUTTON_STYLE = 76,
    MI_BUTTON_STYLE_VAR = 77,
    MI_PARAM5 = 78,
    MI_PARAM5_VAR = 79,
    MI_PARAM6 = 80,
    MI_PARAM6_VAR = 81,
    MI_ALPHA = 82,
    MI_ALPHA_VAR = 83,
    MI_PARAM8 = 84,
    MI_PARAM8_VAR = 85,
    MI_PARAM9 = 86,
    MI_PARAM9_VAR = 87,
    // Attaches the pop-up list at data to the previous selectable item.
    MI_POPUP = 8201,
    // Text buttons: text id immediate, the string at data, the string through
    // a variable, a text id from a 16-bit variable.
    MI_BUTTON_TEXT = 8204,
    MI_BUTTON_STRING = 8205,
    MI_BUTTON_STRING_VAR = 8206,
    MI_BUTTON_TEXT_VAR = 8207,
};
