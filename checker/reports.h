// The two reports: text for people (one section per choice, aligned
// columns, the findings and a summary line) and JSON for CI, with the
// same content. --quiet leaves out the plans and keeps findings and summary.
#pragma once

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "checker/report.h"

std::unique_ptr<Report> MakeTextReport(FILE* out, bool quiet);
std::unique_ptr<Report> MakeJsonReport(FILE* out, bool quiet);

// Passes everything to inner; at the end adds the findings of extra (made
// outside the walk), leaves those of the ignored codes out and counts them
// in the summary instead.
std::unique_ptr<Report> MakeIgnoringReport(std::unique_ptr<Report> inner, std::vector<std::string> ignore,
                                           const Findings* extra);
