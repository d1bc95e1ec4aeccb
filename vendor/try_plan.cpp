#include "vendor/try_plan.h"

#include <windows.h>

#include "unzip/crc32.h"
#include "unzip/decoder_state.h"

std::string UpperName(std::string text) {
    if (!text.empty()) CharUpperBuffA(&text[0], static_cast<DWORD>(text.size()));
    return text;
}

bool FileCrc(const std::string& path, uint32_t& crc) {
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    InitCrc32Table();
    uint32_t crcRegister = kCrcStart;
    static char buffer[65536];
    DWORD got = 0;
    while (ReadFile(file, buffer, sizeof buffer, &got, nullptr) && got > 0) Crc32Update(buffer, got, crcRegister);
    CloseHandle(file);
    crc = ~crcRegister;
    return true;
}

void TryPlan::BeginChoice(const ChoiceFacts& facts) {
    ++choices;
    choice = facts;
}

void TryPlan::Destination(const std::string& path, const std::string&) {
    destination = path;
    if (!destination.empty() && destination.back() == '\\') destination.pop_back();
}

// A plain copy lands whole: its CRC is the source's, read now, while the
// disk that holds it is the one the plan read it from.
void TryPlan::Entry(const EntryFacts& entry) {
    if (!entry.writes) return;
    PlannedFile& file = files[UpperName(entry.target)];
    file.size = entry.sourceSize;
    FileCrc(entry.source, file.crc);
}

void TryPlan::Member(const MemberFacts& member) {
    if (!member.writes) return;
    PlannedFile& file = files[UpperName(member.output)];
    file.size = member.size;
    file.crc = member.crc;
}

bool PlanOneChoice(const CheckOptions& options, TryPlan& plan, Findings& findings, std::string& failure) {
    if (!CheckDistribution(options, plan, findings, failure)) return false;
    if (plan.choices != 1) {
        failure = "the options leave " + std::to_string(plan.choices) + " choices, not one";
        return false;
    }
    return true;
}
