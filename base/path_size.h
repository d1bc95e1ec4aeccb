// Paths, like every text from the setup information file and archives,
// live in fixed buffers: 259 characters and the terminator.
#pragma once

const int kMaxPath = 260;
