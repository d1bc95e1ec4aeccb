// The installation run: started by message 1025 once the preparation has
// fixed language, versions and destination, and carried out to its end
// inside that one message. Every way out ends with the close request.
#pragma once

void RunInstallation();

// Destination as the run uses it: a final backslash dropped unless it
// follows a colon, and a doubled one dropped as well.
void NormaliseDestination(char* destination);
