// Where the loader looks for a library asked for by bare name. SETUP.EXE
// runs from folders anyone may have written to (a Downloads folder, a
// share), and the system libraries it uses load others on its behalf by
// bare name: neither the program's folder nor the current directory may
// supply them. Product only.
#pragma once

// Searches only the System directory where the system offers that, and
// leaves the current directory out where it offers that; a system with
// neither (Windows 95, NT 4.0) keeps its search. Call it first, before any
// window or dialog exists.
void RestrictLibrarySearch();
