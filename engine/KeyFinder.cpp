// KeyFinder: see KeyFinder.h. Folders hold few keys, so every name is compared in full.
#include "engine/KeyFinder.h"

#include <algorithm>
#include <cctype>
#include <vector>

#include "engine/KeyLookup.h"
#include "toolkit/base/FileSystem.h"
#include "toolkit/base/PathName.h"

namespace {

struct Candidate {
    int distance;
    int index;  // in the folder's listing
};

String LowerExtension(const String& name) {
    String extension = PathName(name).GetExtension();
    extension.MakeLower();
    return extension;
}

}  // namespace

void KeySearchFolders(const String& keyFolder, const String& keyName, const String& sourcePath, StringList& folders) {
    StringList candidates;
    KeyCandidates(keyFolder, keyName, sourcePath, candidates);
    for (int i = 0; i < candidates.Count(); i++) {
        const String& path = candidates.At(i);
        const String folder = path.Left(LastPathSeparator(path) + 1);
        if (folders.FindText(folder, false) < 0)
            folders.AddString(folder);
    }
}

void NearestKeyNames(const String& folder, const String& wanted, int max, StringList& nearest) {
    StringList names;
    FileSystem().ListFolder(folder + "*", names, FileSystem::kListFiles);
    const String extension = LowerExtension(wanted);
    std::vector<Candidate> candidates;
    for (int i = 0; i < names.Count(); i++) {
        if (extension.IsEmpty() || LowerExtension(names.At(i)) == extension)
            candidates.push_back(Candidate{EditDistance(names.At(i), wanted), i});
    }
    std::sort(candidates.begin(), candidates.end(), [&names](const Candidate& a, const Candidate& b) {
        if (a.distance != b.distance)
            return a.distance < b.distance;
        return names.At(a.index).CompareNoCase(names.At(b.index)) < 0;
    });
    for (int i = 0; i < static_cast<int>(candidates.size()) && i < max; i++)
        nearest.AddString(names.At(candidates[i].index));
}

int EditDistance(const String& a, const String& b) {
    // One row of the classic table at a time.
    std::vector<int> row(b.Length() + 1);
    for (int j = 0; j <= b.Length(); j++)
        row[j] = j;
    for (int i = 1; i <= a.Length(); i++) {
        int diagonal = row[0];
        row[0] = i;
        const int ca = std::tolower(static_cast<unsigned char>(a.GetAt(i - 1)));
        for (int j = 1; j <= b.Length(); j++) {
            const int cb = std::tolower(static_cast<unsigned char>(b.GetAt(j - 1)));
            const int substitution = diagonal + (ca == cb ? 0 : 1);
            diagonal = row[j];
            row[j] = std::min({row[j] + 1, row[j - 1] + 1, substitution});
        }
    }
    return row[b.Length()];
}
