// Heights of the shell window's title and footer fonts by screen width.
#pragma once

struct TitleFontHeights {
    int title;
    int footer;
};

TitleFontHeights ChooseFontHeights(int screenWidth);
