#include "startup/title_fonts.h"

TitleFontHeights ChooseFontHeights(int screenWidth) {
    if (screenWidth >= 1 && screenWidth <= 599) return {60, 20};
    if (screenWidth >= 600 && screenWidth <= 900) return {80, 25};
    return {100, 30};  // wide screens, and a width the system could not tell
}
