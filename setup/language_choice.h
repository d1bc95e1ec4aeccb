// The language choice: from the setup information file alone when it lists
// fewer than two languages, otherwise with the language dialog and the
// question about all other languages. Fills the language state.
#pragma once

// False when the user cancelled the dialog. Confirming the dialog with no
// line selected ends the program at once with exit code 1.
bool ChooseLanguage();

const int kExitNoLanguage = 1;
