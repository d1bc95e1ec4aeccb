// What the decoder needs from the program around it while a member is
// decoded: keeping the interface alive, a clock, the progress report with
// the user's cancel coming back, the prompt for the next disk and the
// signal of a failed write. The decoder keeps the rules (when to report,
// which disk numbers may be asked for); the ports only carry them out.
// Every function gets the context; a null function behaves like a quiet
// desktop: no messages, a clock at 0, reports continue, the disk refused,
// no sound. The product's ports are in install/decoder_ports.h.
#pragma once

#include <cstdint>

// Polls come at most every 200 ms while decoding; milestones are the 0 and
// 100 percent reports of each member.
enum ProgressReportKind { kProgressPoll, kProgressMilestone };

enum ProgressAnswer { kProgressContinue, kProgressCancel };

struct DecoderPorts {
    void* context;
    // At every input refill and every stored chunk.
    void (*pump)(void* context);
    // Milliseconds since system start.
    uint32_t (*tickCount)(void* context);
    // percentage is 0..100.
    ProgressAnswer (*report)(void* context, uint16_t percentage, ProgressReportKind kind);
    // Disk n (1..1000, not the current one) is wanted; true when the user
    // says it is in place.
    bool (*askForDisk)(void* context, int n);
    // The output could not be written.
    void (*writeFailed)(void* context);
};

// All functions null.
const DecoderPorts kQuietPorts = {};
