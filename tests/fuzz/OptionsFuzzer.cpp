// libFuzzer target: the command-line option parser on an argument list made of the input's
// NUL-separated pieces. Whatever it accepts names only what the arguments hold: each file is
// one argument, each folder one argument or the part after "=" of one.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "app/cli/CliOptions.h"

namespace {

bool IsArgument(const String& text, const std::vector<std::string>& pieces, bool afterEquals) {
    for (size_t i = 1; i < pieces.size(); i++) {
        if (pieces[i] == text.Text())
            return true;
        const size_t equals = pieces[i].find('=');
        if (afterEquals && equals != std::string::npos && pieces[i].substr(equals + 1) == text.Text())
            return true;
    }
    return false;
}

bool ComesFromArguments(const CliOptions& options, const std::vector<std::string>& pieces) {
    if (!options.keyFolder.IsEmpty() && !IsArgument(options.keyFolder, pieces, true))
        return false;
    if (!options.outputFolder.IsEmpty() && !IsArgument(options.outputFolder, pieces, true))
        return false;
    for (int i = 0; i < options.files.Count(); i++)
        if (!IsArgument(options.files.At(i), pieces, false))
            return false;
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::vector<std::string> pieces(1, "kvr-decrypt");
    std::string current;
    for (size_t i = 0; i < size; i++) {
        if (data[i] == 0) {
            pieces.push_back(current);
            current.clear();
        } else {
            current += static_cast<char>(data[i]);
        }
    }
    pieces.push_back(current);
    std::vector<const char*> argv;
    for (const std::string& piece : pieces)
        argv.push_back(piece.c_str());
    CliOptions options;
    String error;
    if (ParseCliOptions(static_cast<int>(argv.size()), argv.data(), options, error) &&
        !ComesFromArguments(options, pieces))
        abort();
    return 0;
}
