// The installer's ports for the decoder (see unzip/decoder_ports.h): the
// thread's message pump, GetTickCount, progress queries to the progress
// dialog (or, without one, the F9 key), the disk prompt's message box and
// the default beep on a failed write.
#pragma once

#include "unzip/decoder_ports.h"

// Ports bound to the progress dialog open now (or to none); one member's
// decoding uses them.
DecoderPorts InstallerDecoderPorts();
