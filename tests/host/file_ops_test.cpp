// The host's POSIX file layer against the behaviour the product shows.
#include "tests/fs/file_ops_cases.h"
