// Key import; see KeyImport.h.
#include "app/KeyImport.h"

#include "app/MessageWindow.h"
#include "app/QuestionWindow.h"
#include "toolkit/base/FileSystem.h"
#include "toolkit/base/PathName.h"
#include "toolkit/media/Sound.h"

const char* const kKeyExistsQuestion = "This key file already exists.\nWould you like to overwrite it?";
const char* const kKeyCopyFailedMessage = "Cannot import the following key file :\n\n";

namespace {

KeyImportResult ReportFailure(const String& name, HWND owner, Sound* errorSound) {
    if (errorSound)
        (void)errorSound->Play();
    ShowMessage(owner, String(kKeyCopyFailedMessage) + name.Text());
    return KeyImportResult::kFailed;
}

}  // namespace

KeyImportResult ImportKeyFile(const String& keyPath, const String& keyFolder, HWND owner, Sound* errorSound) {
    const PathName source(keyPath);
    const String name = source.GetFileName();
    if (name.IsEmpty() || keyFolder.IsEmpty())
        return ReportFailure(name.IsEmpty() ? keyPath : name, owner, errorSound);
    const String destination = keyFolder + name.Text();
    // A key dropped from the key folder itself is already in place; copying a file onto
    // itself would fail and report a loss that did not happen.
    if (PathName(destination).GetPath().CompareNoCase(source.GetPath()) == 0)
        return KeyImportResult::kImported;
    FileSystem files;
    if (files.FileExists(destination) && !AskQuestion(owner, kKeyExistsQuestion))
        return KeyImportResult::kDeclined;
    if (!files.Copy(source.GetPath(), destination, true))
        return ReportFailure(name, owner, errorSound);
    return KeyImportResult::kImported;
}
