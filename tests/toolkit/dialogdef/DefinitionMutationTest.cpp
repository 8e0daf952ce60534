// Definition text is untrusted input: seeded mutants of a corpus of definitions (a dialog
// laid out like the program's own, one section of every type, hand-made edge cases) must
// each read without crashing or hanging; a mutant that reads must write back a text that
// reads again and writes back identically.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/support/SeededRandom.h"
#include "tests/toolkit/dialogdef/DefinitionSamples.h"
#include "toolkit/dialogdef/ControlDefinition.h"

using namespace dialogtest;

namespace {

using Random = kvrtest::SeededRandom;

// Bytes that matter to the format, so mutants hit its rules rather than only its values.
const char kSpecial[] = "\r\n=[] ,#\t0-9";

std::string Mutate(const std::string& original, Random& random) {
    std::string text = original;
    const size_t at = random.Below(text.size() + 1);
    switch (random.Below(6)) {
        case 0:
            if (!text.empty())
                text[random.Below(text.size())] = static_cast<char>(random.Below(256));
            break;
        case 1:
            text.insert(at, 1, kSpecial[random.Below(sizeof(kSpecial) - 1)]);
            break;
        case 2:
            text.erase(at, 1 + random.Below(8));
            break;
        case 3:
            text.resize(at);
            break;
        case 4: {  // a line repeated elsewhere
            const size_t from = random.Below(text.size());
            const size_t end = text.find("\r\n", from);
            const std::string line = text.substr(from, end == std::string::npos ? std::string::npos : end - from + 2);
            text.insert(random.Below(text.size() + 1), line);
            break;
        }
        default:  // a section run twice
            text += text.substr(random.Below(text.size()));
            break;
    }
    return text;
}

// A definition with one section of every control type, as a dialog editor adds them.
std::string EveryType() {
    DialogDefinition definition;
    ReadText(definition, Lines({"DIALOG EDITOR v1.00", "", "[DIALOG]", "NAME=EVERY", ""}));
    for (int type = CT_BUTTON; type < CT_COUNT; type++) {
        ControlDefinition record;
        record.type = static_cast<int16_t>(type);
        definition.AddControlDefinition(&record, true, false);
    }
    return WriteText(definition);
}

TEST(DefinitionMutation, MutantsReadSafelyAndWriteBackStably) {
    const std::vector<std::string> corpus = {
        ProgramDefinition(),
        EveryType(),
        // Tab pages with children, a check mark, anchors and a font, and a key that begins with
        // a NUL byte (no property: written back as "=1" it would not read back).
        DialogWith(200, 100, "WS_CAPTION",
                   {Section("TAB", 1, "T", "0 0 90 90", "TAB_CONTENT=A, B\r\nTAB_CHILDREN_PRIVATE=0 2 1 3"),
                    Section("CHECK", 2, "C", "5 5 20 20", std::string("CHECK_CHECKED=1\r\n") + '\0' + "KEY=1"),
                    Section("RADIO", 3, "R", "5 30 20 20", "FONT=Arial, 14, 15\r\nHALIGN=4\r\nVALIGN=64")}),
    };
    constexpr int kMutantsPerSample = 3000;
    int readable = 0;
    for (size_t s = 0; s < corpus.size(); s++) {
        Random random(static_cast<uint32_t>(s + 1));
        for (int i = 0; i < kMutantsPerSample; i++) {
            std::string mutant = Mutate(corpus[s], random);
            if (random.Below(3) == 0)
                mutant = Mutate(mutant, random);
            DialogDefinition first;
            if (!ReadText(first, mutant)) {
                EXPECT_EQ(first.Dialog(), nullptr);
                EXPECT_EQ(first.ControlCount(), 0);
                continue;
            }
            readable++;
            const std::string written = WriteText(first);
            DialogDefinition second;
            ASSERT_TRUE(ReadText(second, written)) << "sample " << s << " mutant " << i;
            ASSERT_EQ(WriteText(second), written) << "sample " << s << " mutant " << i;
        }
    }
    // The mutants must mostly stay readable, or the round trip would be tested on nothing.
    EXPECT_GT(readable, static_cast<int>(corpus.size()) * kMutantsPerSample / 2);
}

}  // namespace
