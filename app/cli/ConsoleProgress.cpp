// Progress bar text and its redraw rate; see ConsoleProgress.h.
#include "app/cli/ConsoleProgress.h"

namespace {

constexpr int kKeyStageStart = 1000;
constexpr int kInflateStart = 1333;
constexpr int kWriteStart = 1666;

int Clamp(int value) {
    if (value < 0)
        return 0;
    return value > ConsoleProgress::kScale ? ConsoleProgress::kScale : value;
}

}  // namespace

void ConsoleProgress::Begin(const char* label, bool carrier) {
    label_ = label;
    carrier_ = carrier;
    drawn_ = false;
    lastDrawMs_ = 0;
    lastStage_ = nullptr;
}

const char* ConsoleProgress::StageName(int value, bool compressed, bool carrier) {
    if (value < kKeyStageStart)
        return carrier ? "extracting" : "reading";
    if (value >= kWriteStart)
        return "writing";
    if (compressed && value >= kInflateStart)
        return "inflating";
    return "removing the key";
}

bool ConsoleProgress::Update(int value, bool compressed, uint32_t nowMs, String& line) {
    value = Clamp(value);
    const char* stage = StageName(value, compressed, carrier_);
    // Unsigned difference: correct across a wrap of the millisecond clock.
    const bool intervalPassed = nowMs - lastDrawMs_ >= minIntervalMs_;
    const bool due = !drawn_ || stage != lastStage_ || value == kScale || intervalPassed;
    if (!due)
        return false;
    drawn_ = true;
    lastDrawMs_ = nowMs;
    lastStage_ = stage;
    line = Line(value, compressed);
    return true;
}

String ConsoleProgress::Line(int value, bool compressed) const {
    value = Clamp(value);
    const int filled = value * kBarWidth / kScale;
    char bar[kBarWidth + 1];
    for (int i = 0; i < kBarWidth; i++)
        bar[i] = i < filled ? '#' : '.';
    bar[kBarWidth] = '\0';
    String line;
    // Stage names are padded to one width so that a shorter name overwrites a longer one.
    line.Format("%s [%s] %3d%% %-16s", label_.Text(), bar, value * 100 / kScale,
                StageName(value, compressed, carrier_));
    return line;
}
