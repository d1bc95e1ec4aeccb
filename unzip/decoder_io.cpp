#include "unzip/decoder_io.h"

#include <cstring>

#include "fs/memory_block.h"
#include "fs/thread_state.h"
#include "unzip/crc32.h"

namespace {

const uint32_t kReportInterval = 200;     // ms between progress reports
const int kFirstDisk = 1;
const int kLastDisk = 1000;
const int kStoredChunk = 32768;
// Read beyond a member's data: room for a data descriptor behind it.
const int kReadMargin = 64;

// Tests and fuzz targets may leave the ports out altogether.
const DecoderPorts& PortsOf(const DecoderState& state) { return state.ports ? *state.ports : kQuietPorts; }

uint32_t TickCount(const DecoderState& state) {
    const DecoderPorts& ports = PortsOf(state);
    return ports.tickCount ? ports.tickCount(ports.context) : 0;
}

ProgressAnswer Report(const DecoderState& state, uint16_t percentage, ProgressReportKind kind) {
    const DecoderPorts& ports = PortsOf(state);
    return ports.report ? ports.report(ports.context, percentage, kind) : kProgressContinue;
}

uint16_t Percentage(int32_t done, int32_t total) {
    if (total <= 0 || done <= 0) return 0;
    // In 64 bits, exactly: the same truncated value as floating point would
    // give (the quotient is far from the next integer compared with a
    // double's rounding), with no coprocessor to emulate on a 386.
    long long percent = static_cast<long long>(done) * 100 / total;
    return static_cast<uint16_t>(percent > 100 ? 100 : percent);
}

// Closes the archive of this disk; the state never keeps a closed handle.
void CloseArchive(DecoderState& state) {
    if (state.archiveFile != kInvalidFile) CloseFileHandle(state.archiveFile);
    state.archiveFile = kInvalidFile;
}

// After the user confirmed the next disk: the archive of the same name there.
bool ReopenArchive(DecoderState& state) {
    state.archiveFile = OpenExistingFile(state.archivePath, kModeRead);
    return state.archiveFile != kInvalidFile && FileErrorCode() == 0;
}

// Filler after the end of the input: the decoder stops at its next check.
void ProvideFiller(DecoderState& state) {
    state.endOfInput = true;
    memset(state.inputBuffer, 0, sizeof state.inputBuffer);
    state.inputPosition = 0;
    state.inputEnd = kInputBufferSize - 1;
}

// A member's last block is read only as far as its data (and a data
// descriptor behind it) goes: small members cost a small read.
uint16_t ReadSize(const DecoderState& state) {
    long long rest = static_cast<long long>(state.compressedSize) - state.bytesRead + kReadMargin;
    return rest < kInputBufferSize ? static_cast<uint16_t>(rest < 1 ? 1 : rest) : kInputBufferSize;
}

}  // namespace

void PumpMessages(DecoderState& state) {
    const DecoderPorts& ports = PortsOf(state);
    if (ports.pump) ports.pump(ports.context);
}

void PollProgress(DecoderState& state) {
    if (state.compressedSize == 0) return;
    uint16_t percentage = Percentage(state.bytesRead, state.compressedSize);
    uint32_t now = TickCount(state);
    if (state.lastReportTime != kNoReportYet) {
        uint32_t difference = now > state.lastReportTime ? now - state.lastReportTime : state.lastReportTime - now;
        if (difference < kReportInterval) return;
    }
    state.lastReportTime = now;
    state.cancel = Report(state, percentage, kProgressPoll) == kProgressCancel;
}

ProgressAnswer ReportMilestone(DecoderState& state, uint16_t percentage) {
    return Report(state, percentage, kProgressMilestone);
}

bool PromptForDisk(DecoderState& state, int n) {
    if (n < kFirstDisk || n > kLastDisk) return false;
    int& currentDisk = CurrentThreadState().currentDisk;
    if (n == currentDisk) return true;
    const DecoderPorts& ports = PortsOf(state);
    if (!ports.askForDisk || !ports.askForDisk(ports.context, n)) return false;
    currentDisk = n;
    return true;
}

void RefillInput(DecoderState& state) {
    if (static_cast<long long>(state.bytesRead) > static_cast<long long>(state.compressedSize) + 2) {
        ProvideFiller(state);
        return;
    }
    PumpMessages(state);
    PollProgress(state);
    uint16_t got = 0;
    if (state.archiveFile != kInvalidFile) ReadBlock(state.archiveFile, state.inputBuffer, ReadSize(state), &got);
    if (state.archiveFile == kInvalidFile || FileErrorCode() != 0 || got == 0) {
        bool atEnd = state.archiveFile != kInvalidFile && FileErrorCode() == 0;
        CloseArchive(state);
        got = 0;
        if (atEnd && PromptForDisk(state, CurrentThreadState().currentDisk + 1) && ReopenArchive(state)) {
            ReadBlock(state.archiveFile, state.inputBuffer, ReadSize(state), &got);
            if (FileErrorCode() != 0) got = 0;
        }
        if (got == 0) {
            ProvideFiller(state);
            return;
        }
    }
    state.bytesRead += got;
    state.inputEnd = got - 1;
    state.inputPosition = 0;
}

bool FlushWindow(DecoderState& state, int count) {
    uint16_t written = 0;
    WriteBlock(state.outputFile, state.window, static_cast<uint16_t>(count), &written);
    bool ok = written == count && FileErrorCode() == 0;
    state.bytesWritten += written;
    if (!ok) {
        const DecoderPorts& ports = PortsOf(state);
        if (ports.writeFailed) ports.writeFailed(ports.context);
    }
    Crc32Update(state.window, static_cast<size_t>(count), state.crc);
    return ok;
}

DecodeResult CopyStoredMember(DecoderState& state) {
    while (state.bytesRead < state.compressedSize && !state.cancel) {
        int32_t rest = state.compressedSize - state.bytesRead;
        uint16_t chunk = static_cast<uint16_t>(rest < kStoredChunk ? rest : kStoredChunk);
        uint16_t got = 0;
        if (state.archiveFile == kInvalidFile) return kDecodeInputEnded;
        ReadBlock(state.archiveFile, state.window, chunk, &got);
        if (FileErrorCode() != 0) return kDecodeInputEnded;
        if (!FlushWindow(state, got)) return kDecodeWriteFailed;
        state.bytesRead += got;
        PumpMessages(state);
        PollProgress(state);
        if (got < chunk) {
            // This disk's file has ended: the rest is on the next disk.
            CloseArchive(state);
            if (!PromptForDisk(state, CurrentThreadState().currentDisk + 1)) return kDecodeInputEnded;
            if (!ReopenArchive(state)) return kDecodeInputEnded;
        }
    }
    return state.cancel ? kDecodeCancelled : kDecodeOk;
}

bool AllocateDecoderWindow(DecoderState& state) {
    state.window = static_cast<uint8_t*>(AllocateZeroed(kWindowSize));
    return state.window != nullptr;
}

void ReleaseDecoderWindow(DecoderState& state) {
    ReleaseBlock(state.window);
    state.window = nullptr;
}
