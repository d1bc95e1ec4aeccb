// The texts the installation run shows, in the three languages.
#pragma once

#include "setup/language.h"

// A message as the run formats it: 512 characters and the terminator.
const int kMessageSize = 513;

extern const LanguageTexts kDestinationExistsQuestion;
extern const LanguageTexts kBackupLabel;
extern const LanguageTexts kInstallingLabel;
extern const LanguageTexts kReadErrorMessage;
extern const LanguageTexts kWriteErrorMessage;
extern const LanguageTexts kAbortedMessage;
extern const LanguageTexts kDiskFullMessage;
extern const LanguageTexts kGroupQuestion;
extern const LanguageTexts kCreatingGroupText;
extern const LanguageTexts kFailureMessage;
extern const LanguageTexts kSuccessMessage;
extern const LanguageTexts kRestartQuestion;
