#include "catalog/object_pictures.h"

#include <cctype>
#include <cstdio>
#include <cstring>

#include "catalog/designations.h"
#include "core/services.h"
#include "platform/files.h"

ImageRequest imageRequest{};
int imageBrowseIndex = 0;

namespace {

constexpr char kUnknownFolder[] = "Unkown image folder";
constexpr char kExtension[] = ".jpg";

// The catalogue folder of a kind (designation id).
const char* CatalogFolder(int kind) {
    switch (kind) {
    case 1: return "img\\abell\\";
    case kDesignationConstellation: return "img\\const\\";
    case kDesignationIc: return "img\\ic\\";
    case kDesignationMessier: return "img\\messier\\";
    case kDesignationNgc: return "img\\ngc\\";
    case kDesignationPlanet: return "img\\planet\\";
    default: return "img\\misc\\";
    }
}

// The leading whole number of a text after blanks, as the constellation row
// of kind 13: 0 without digits; -1 for a negative number or one too long to
// be a row.
int LeadingRow(const char* text) {
    while (*text == ' ') ++text;
    bool negative = *text == '-';
    if (*text == '-' || *text == '+') ++text;
    long value = 0;
    for (; std::isdigit(static_cast<unsigned char>(*text)) && value <= kConstellationCount; ++text)
        value = value * 10 + (*text - '0');
    if (negative && value != 0) return -1;
    return value < kConstellationCount ? static_cast<int>(value) : -1;
}

// A name that stays inside its picture folder.
bool IsSafePictureName(const std::string& name) {
    return name.find_first_of("/\\") == std::string::npos && name.find("..") == std::string::npos;
}

// Copies at most kImageNameSize - 1 characters, terminated.
void CopyName(char* destination, const std::string& text) {
    std::snprintf(destination, kImageNameSize, "%s", text.c_str());
}

}  // namespace

const char* ImageFolderPath(int folder, int kind) {
    switch (folder) {
    case kImageFolderCatalog: return CatalogFolder(kind);
    case kImageFolderShots: return "shots\\";
    case 3: return "mars\\";
    case 4: return "moon\\";
    case 5: return "small_moon\\";
    case 6: return "maps\\";
    default: return nullptr;
    }
}

std::string ImagePictureName(const char* name) {
    std::string text = name ? std::string(name, strnlen(name, kImageNameMax)) : std::string();
    return text.substr(0, text.find(','));
}

bool BuildImagePath(const char* name, int folder, int kind) {
    std::string picture = ImagePictureName(name);
    imageRequest.kind = kind;
    const char* path = ImageFolderPath(folder, kind);
    if (!path) {
        ShowInformation(kUnknownFolder, "");
        return false;
    }
    if (folder == kImageFolderCatalog && kind == kDesignationConstellation) {
        int row = LeadingRow(picture.c_str());
        if (row < 0) return false;
        picture = constellationTable[row].abbreviation;
    }
    if (picture.empty() || !IsSafePictureName(picture)) return false;
    std::string file = picture + kExtension;
    std::FILE* f = pl::OpenFile(path + file, "rb");
    if (!f) return false;
    std::fclose(f);
    CopyName(imageRequest.tested, file);
    return true;
}

std::string RequestedImagePath() {
    const char* path = ImageFolderPath(imageRequest.folder, imageRequest.kind);
    return path ? std::string(path) + imageRequest.name : std::string();
}

std::string ListEntryPictureName(const SelectionEntry& entry) {
    char name[kImageNameSize];
    if (entry.source == kSourceCaldwell)
        std::snprintf(name, sizeof name, "%s%ld", DesignationPrefix(entry.designation), static_cast<long>(entry.number));
    else if (entry.designation == kDesignationConstellation)
        std::snprintf(name, sizeof name, "%ld", static_cast<long>(entry.number));
    else
        std::snprintf(name, sizeof name, "%.*s", static_cast<int>(kSelectionNameSize - 1), entry.name);
    return name;
}

void ResetImageRequest() {
    imageRequest = ImageRequest{};
    imageBrowseIndex = 0;
}
