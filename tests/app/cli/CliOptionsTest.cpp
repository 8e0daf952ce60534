// Command-line parsing of kvr-decrypt: accepted forms and every usage error.
#include "app/cli/CliOptions.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

struct ParseCase {
    std::vector<const char*> args;  // without the program name
    bool ok;
    const char* error;  // expected reason on failure
    const char* keys;
    const char* out;
    OverwriteMode overwrite;
    bool quiet;
    std::vector<const char*> files;
};

bool Parse(const std::vector<const char*>& args, CliOptions& options, String& error) {
    std::vector<const char*> argv{"kvr-decrypt"};
    argv.insert(argv.end(), args.begin(), args.end());
    return ParseCliOptions(static_cast<int>(argv.size()), argv.data(), options, error);
}

const OverwriteMode kAsk = OverwriteMode::Ask;

const ParseCase kCases[] = {
    {{"a.enc"}, true, "", "", "", kAsk, false, {"a.enc"}},
    {{"a.enc", "b.wav", "c.png"}, true, "", "", "", kAsk, false, {"a.enc", "b.wav", "c.png"}},
    {{"--keys", "K", "--out", "O", "a.enc"}, true, "", "K", "O", kAsk, false, {"a.enc"}},
    {{"--keys=K", "--out=O dir", "a.enc"}, true, "", "K", "O dir", kAsk, false, {"a.enc"}},
    {{"a.enc", "--quiet", "b.enc"}, true, "", "", "", kAsk, true, {"a.enc", "b.enc"}},
    {{"-q", "--overwrite", "a.enc"}, true, "", "", "", OverwriteMode::Always, true, {"a.enc"}},
    {{"--no-overwrite", "a.enc"}, true, "", "", "", OverwriteMode::Never, false, {"a.enc"}},
    {{"--overwrite", "--overwrite", "a.enc"}, true, "", "", "", OverwriteMode::Always, false, {"a.enc"}},
    {{"--", "--quiet", "-x.enc"}, true, "", "", "", kAsk, false, {"--quiet", "-x.enc"}},
    {{"-"}, true, "", "", "", kAsk, false, {"-"}},
    // Usage errors.
    {{}, false, "no file given", "", "", kAsk, false, {}},
    {{"--quiet"}, false, "no file given", "", "", kAsk, false, {}},
    {{"--keys", "K"}, false, "no file given", "", "", kAsk, false, {}},
    {{"a.enc", "--keys"}, false, "--keys needs a folder", "", "", kAsk, false, {}},
    {{"--out", "", "a.enc"}, false, "--out needs a folder", "", "", kAsk, false, {}},
    {{"--keys=", "a.enc"}, false, "--keys needs a folder", "", "", kAsk, false, {}},
    {{"--keys", "A", "--keys", "B", "x.enc"}, false, "--keys given twice", "", "", kAsk, false, {}},
    {{"--overwrite", "--no-overwrite", "a.enc"},
     false,
     "--overwrite and --no-overwrite exclude each other",
     "",
     "",
     kAsk,
     false,
     {}},
    {{"--verbose", "a.enc"}, false, "unknown option --verbose", "", "", kAsk, false, {}},
    {{"--keysX", "a.enc"}, false, "unknown option --keysX", "", "", kAsk, false, {}},
    {{"-x", "a.enc"}, false, "unknown option -x", "", "", kAsk, false, {}},
    {{"a.enc", ""}, false, "empty file name", "", "", kAsk, false, {}},
};

TEST(CliOptions, TableOfCommandLines) {
    for (const ParseCase& c : kCases) {
        std::string joined;
        for (const char* a : c.args)
            joined += std::string("[") + a + "]";
        SCOPED_TRACE(joined);
        CliOptions options;
        String error;
        ASSERT_EQ(c.ok, Parse(c.args, options, error)) << error.Text();
        if (!c.ok) {
            EXPECT_STREQ(c.error, error.Text());
            continue;
        }
        EXPECT_TRUE(error.IsEmpty());
        EXPECT_STREQ(c.keys, options.keyFolder.Text());
        EXPECT_STREQ(c.out, options.outputFolder.Text());
        EXPECT_EQ(c.overwrite, options.overwrite);
        EXPECT_EQ(c.quiet, options.quiet);
        ASSERT_EQ(static_cast<int>(c.files.size()), options.files.Count());
        for (size_t i = 0; i < c.files.size(); i++)
            EXPECT_STREQ(c.files[i], options.files.At(static_cast<int>(i)).Text());
    }
}

TEST(CliOptions, HelpNeedsNoFile) {
    CliOptions options;
    String error;
    EXPECT_TRUE(Parse({"--help"}, options, error));
    EXPECT_TRUE(options.help);
    EXPECT_TRUE(Parse({"-h", "a.enc"}, options, error));
    EXPECT_TRUE(options.help);
}

TEST(CliOptions, ParsingAgainStartsFresh) {
    CliOptions options;
    String error;
    ASSERT_TRUE(Parse({"--quiet", "--keys", "K", "a.enc"}, options, error));
    ASSERT_TRUE(Parse({"b.enc"}, options, error));
    EXPECT_FALSE(options.quiet);
    EXPECT_TRUE(options.keyFolder.IsEmpty());
    ASSERT_EQ(1, options.files.Count());
    EXPECT_STREQ("b.enc", options.files.At(0).Text());
}

TEST(CliOptions, UsageTextNamesEveryOption) {
    const std::string usage = CliUsageText();
    for (const char* option : {"--keys", "--out", "--overwrite", "--no-overwrite", "--quiet", "FILE..."})
        EXPECT_NE(std::string::npos, usage.find(option)) << option;
    EXPECT_EQ('\n', usage.back());
}

}  // namespace
