// The preparation sequence, run inside the shell window's creation: finds
// the setup information file, shows the product's name and asks the user
// everything the installation needs. Ends by posting either the close
// request or the start of the installation to the shell window.
#pragma once

void RunPreparation();
