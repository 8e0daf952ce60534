// libFuzzer target: the command-line option parser on an argument list made of the input's
// NUL-separated pieces. Whatever it accepts names only what the arguments hold: each file is
// one argument, each folder one argument or the part after "=" of one.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "app/cli/CliOptions.h"

namespace {

// The text is an argument or, for a folder, the part after "=" of one; no folder passes too.
bool IsArgument(const String& text, const std::vector<std::string>& pieces, bool folder) {
    for (size_t i = 1; i < pieces.size(); i++) {
        const size_t equals = pieces[i].find('=');
        if (pieces[i] == text.Text() ||
            (folder && equals != std::string::npos && pieces[i].substr(equals + 1) == text.Text()))
            return true;
    }
    return folder && text.IsEmpty();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::vector<std::string> pieces = {"kvr-decrypt", ""};
    for (size_t i = 0; i < size; i++) {
        if (data[i] == 0)
            pieces.emplace_back();
        else
            pieces.back() += static_cast<char>(data[i]);
    }
    std::vector<const char*> argv;
    for (const std::string& piece : pieces)
        argv.push_back(piece.c_str());
    CliOptions options;
    String error;
    if (!ParseCliOptions(static_cast<int>(argv.size()), argv.data(), options, error))
        return 0;
    bool fromArguments = IsArgument(options.keyFolder, pieces, true) && IsArgument(options.outputFolder, pieces, true);
    for (int i = 0; i < options.files.Count(); i++)
        fromArguments = fromArguments && IsArgument(options.files.At(i), pieces, false);
    if (!fromArguments)
        abort();
    return 0;
}
