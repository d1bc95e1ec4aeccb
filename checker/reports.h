// The two reports: text for people (one section per choice, aligned
// columns, the findings and a summary line) and JSON for CI, with the
// same content. --quiet leaves out the plans and keeps findings and summary.
#pragma once

#include <cstdio>
#include <memory>

#include "checker/report.h"

std::unique_ptr<Report> MakeTextReport(FILE* out, bool quiet);
std::unique_ptr<Report> MakeJsonReport(FILE* out, bool quiet);
