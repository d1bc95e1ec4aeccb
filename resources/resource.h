// Resource names and control ids shared by the resource script and the code.
#pragma once

#define IDI_CORVANEAPP "CORVANEAPP"
