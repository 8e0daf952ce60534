// Command-line parsing of kvr-decrypt: accepted forms and every usage error.
#include "app/cli/CliOptions.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// The parse of args (without the program name) in one line: "error: <reason>" or
// "keys=K out=O overwrite=<0 ask, 1 always, 2 never> quiet=Q help=H files=[a][b]", followed by
// " list" or " test" for those actions.
std::string Parsed(const std::vector<const char*>& args) {
    CliOptions options;
    std::vector<const char*> argv{"kvr-decrypt"};
    argv.insert(argv.end(), args.begin(), args.end());
    String error;
    if (!ParseCliOptions(static_cast<int>(argv.size()), argv.data(), options, error))
        return std::string("error: ") + error.Text();
    std::string text = std::string("keys=") + options.keyFolder.Text() + " out=" + options.outputFolder.Text() +
                       " overwrite=" + std::to_string(static_cast<int>(options.overwrite)) +
                       " quiet=" + std::to_string(options.quiet) + " help=" + std::to_string(options.help) + " files=";
    for (int i = 0; i < options.files.Count(); i++)
        text += std::string("[") + options.files.At(i).Text() + "]";
    if (options.action != CliAction::Decrypt)
        text += options.action == CliAction::List ? " list" : " test";
    return error.IsEmpty() ? text : text + " with error " + error.Text();
}

TEST(CliOptions, TableOfCommandLines) {
    const std::pair<std::vector<const char*>, const char*> cases[] = {
        {{"a.enc"}, "keys= out= overwrite=0 quiet=0 help=0 files=[a.enc]"},
        {{"a.enc", "b.wav", "c.png"}, "keys= out= overwrite=0 quiet=0 help=0 files=[a.enc][b.wav][c.png]"},
        {{"--keys", "K", "--out", "O", "a.enc"}, "keys=K out=O overwrite=0 quiet=0 help=0 files=[a.enc]"},
        {{"--keys=K", "--out=O dir", "a.enc"}, "keys=K out=O dir overwrite=0 quiet=0 help=0 files=[a.enc]"},
        {{"a.enc", "--quiet", "b.enc"}, "keys= out= overwrite=0 quiet=1 help=0 files=[a.enc][b.enc]"},
        {{"-q", "--overwrite", "a.enc"}, "keys= out= overwrite=1 quiet=1 help=0 files=[a.enc]"},
        {{"--no-overwrite", "a.enc"}, "keys= out= overwrite=2 quiet=0 help=0 files=[a.enc]"},
        {{"--overwrite", "--overwrite", "a.enc"}, "keys= out= overwrite=1 quiet=0 help=0 files=[a.enc]"},
        {{"--", "--quiet", "-x.enc"}, "keys= out= overwrite=0 quiet=0 help=0 files=[--quiet][-x.enc]"},
        {{"-"}, "keys= out= overwrite=0 quiet=0 help=0 files=[-]"},
        {{"--help"}, "keys= out= overwrite=0 quiet=0 help=1 files="},
        {{"-h", "a.enc"}, "keys= out= overwrite=0 quiet=0 help=1 files=[a.enc]"},
        {{"--version"}, "keys= out= overwrite=0 quiet=0 help=0 files="},  // no file needed
        {{"--list", "--keys", "K", "a.enc"}, "keys=K out= overwrite=0 quiet=0 help=0 files=[a.enc] list"},
        {{"a.enc", "--test", "--test"}, "keys= out= overwrite=0 quiet=0 help=0 files=[a.enc] test"},
        // Usage errors.
        {{}, "error: no file given"},
        {{"--quiet"}, "error: no file given"},
        {{"--keys", "K"}, "error: no file given"},
        {{"a.enc", "--keys"}, "error: --keys needs a folder"},
        {{"--out", "", "a.enc"}, "error: --out needs a folder"},
        {{"--keys=", "a.enc"}, "error: --keys needs a folder"},
        {{"--keys", "A", "--keys", "B", "x.enc"}, "error: --keys given twice"},
        {{"--overwrite", "--no-overwrite", "a.enc"}, "error: --overwrite and --no-overwrite exclude each other"},
        {{"--verbose", "a.enc"}, "error: unknown option --verbose"},
        {{"--keysX", "a.enc"}, "error: unknown option --keysX"},
        {{"-x", "a.enc"}, "error: unknown option -x"},
        {{"a.enc", ""}, "error: empty file name"},
        {{"--list", "--test", "a.enc"}, "error: --list and --test exclude each other"},
        {{"--test", "--out", "O", "a.enc"},
         "error: --test writes nothing: --out, --overwrite and --no-overwrite have no use with it"},
        {{"--overwrite", "--list", "a.enc"},
         "error: --list writes nothing: --out, --overwrite and --no-overwrite have no use with it"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.second, Parsed(c.first));
}

}  // namespace
