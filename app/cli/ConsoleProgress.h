// ConsoleProgress: turns the engine's progress values (0..2000 in four bands) into the text
// of a one-line progress bar, and decides when a redraw is due so that a fast stage does not
// flood a slow console: at most one redraw per interval, but always on a change of stage and
// when the request reaches its end. It knows no console; the caller prints the line.
#pragma once

#include <cstdint>

#include "toolkit/base/String.h"

class ConsoleProgress {
public:
    static constexpr int kScale = 2000;  // a whole request
    static constexpr int kBarWidth = 30;

    explicit ConsoleProgress(uint32_t minIntervalMs = 100) : minIntervalMs_(minIntervalMs) {}

    // Starts a new request: label names the file, carrier tells "extracting" from "reading".
    void Begin(const char* label, bool carrier);

    // Gives true and the bar text (no line feed, no carriage return) when a redraw is due at
    // nowMs (a millisecond clock that may wrap); compressed is the request's flag.
    bool Update(int value, bool compressed, uint32_t nowMs, String& line);

    // The bar text for value, whether or not a redraw is due.
    String Line(int value, bool compressed) const;

    // The stage that a progress value belongs to. The key stage spans 1000..1333 when the
    // archive is compressed (inflating follows up to 1666), else 1000..1666.
    static const char* StageName(int value, bool compressed, bool carrier);

private:
    uint32_t minIntervalMs_;
    String label_;
    bool carrier_ = false;
    bool drawn_ = false;
    uint32_t lastDrawMs_ = 0;
    const char* lastStage_ = nullptr;
};
