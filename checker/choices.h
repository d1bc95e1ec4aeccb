// The language and version choices a user of SETUP.EXE can make with this
// SETUP.inf, narrowed by the options, and the checks of the sections that
// offer them ([languages], [LangName], [VersionCheck], the lettered
// sections). SETUP.inf must be the installer's setup information file.
#pragma once

#include <string>
#include <vector>

#include "checker/check_codes.h"
#include "checker/inf_outline.h"
#include "checker/options.h"
#include "checker/report.h"

// False with a reason when the options ask for a choice SETUP.EXE does not offer.
bool ListChoices(const CheckOptions& options, std::vector<ChoiceFacts>& choices, std::string& error);

// Puts the choice's language in place as SETUP.EXE's language choice
// leaves it: index, letter, lettered sections, single-language name.
void ApplyChoiceLanguage(const ChoiceFacts& choice);

void CheckLanguageSections(const InfOutline& outline, Findings& findings);

// Version choices of one language answer that install the same files.
void CheckVersionChoices(const std::vector<ChoiceFacts>& choices, const std::vector<ChoiceTotals>& totals,
                         Findings& findings);
