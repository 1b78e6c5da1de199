// Font faces, font creation and glyph rendering.
#include "platform/font_internal.h"

#include FT_SYNTHESIS_H

#include <algorithm>
#include <cctype>
#include <cmath>
#include <map>
#include <memory>

#include "platform/files.h"
#include "platform/framebuffer.h"

namespace pl {
namespace {

// The system family is Tahoma as the Wine project made it (metric-compatible,
// Debian's fonts-wine, LGPL); DejaVu Sans (fonts-dejavu-core) stands in when
// those files are missing.
constexpr const char* kTahomaFolder = "/usr/share/wine/fonts/";
constexpr const char* kTahomaFiles[] = {"tahoma.ttf", "tahomabd.ttf"};
constexpr const char* kTahomaFamily = "Tahoma";
constexpr const char* kFallbackFolder = "/usr/share/fonts/truetype/dejavu/";
constexpr const char* kFallbackFiles[] = {"DejaVuSans.ttf", "DejaVuSans-Bold.ttf"};
constexpr const char* kFallbackFamily = "DejaVu Sans";
constexpr int kSystemFontDesignHeight = 12;  // pixels at 96 dpi
constexpr int kDialogFontDesignHeight = 11;
constexpr int kMaxPixelSize = 1024;

struct FaceEntry {
    std::string hostPath;
    long faceIndex = 0;
    std::string family;  // lower case
    std::string stem;    // file name without extension, lower case
    bool bold = false;
    bool added = false;
};

struct FontState {
    FT_Library library = nullptr;
    std::vector<FaceEntry> faces;
    std::map<std::string, int> addCounts;  // added files by host path
    // Stock fonts by family and height; never freed while the program runs,
    // so a context holding one stays valid when the family changes.
    std::map<std::pair<std::string, int>, std::unique_ptr<Font>> stockFonts;
    std::string systemFamily = kFallbackFamily;

    FontState() {
        if (FT_Init_FreeType(&library) != 0) library = nullptr;
        for (const char* file : kFallbackFiles) Register(kFallbackFolder + std::string(file), false);
        UseTahomaFolder(kTahomaFolder);
    }
    ~FontState() {
        stockFonts.clear();
        if (library) FT_Done_FreeType(library);
    }

    // Registers every face of a file; the number registered.
    int Register(const std::string& hostPath, bool added);
    // Takes the Tahoma faces from `folder` (forgetting earlier ones) and
    // chooses the system family: Tahoma when its regular face is there.
    void UseTahomaFolder(const std::string& folder);
};

FontState& State() {
    static FontState state;
    return state;
}

std::string Lower(std::string s) {
    for (char& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return s;
}

std::string FileStem(const std::string& path) {
    size_t slash = path.find_last_of('/');
    std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
    size_t dot = name.find_last_of('.');
    return Lower(dot == std::string::npos ? name : name.substr(0, dot));
}

int FontState::Register(const std::string& hostPath, bool isAdded) {
    if (!library) return 0;
    FT_Face face = nullptr;
    if (FT_New_Face(library, hostPath.c_str(), -1, &face) != 0) return 0;
    long count = face->num_faces;
    FT_Done_Face(face);
    int registered = 0;
    for (long i = 0; i < count; ++i) {
        if (FT_New_Face(library, hostPath.c_str(), i, &face) != 0) continue;
        if (face->family_name && FT_IS_SCALABLE(face)) {
            faces.push_back(FaceEntry{hostPath, i, Lower(face->family_name), FileStem(hostPath),
                                      (face->style_flags & FT_STYLE_FLAG_BOLD) != 0, isAdded});
            ++registered;
        }
        FT_Done_Face(face);
    }
    return registered;
}

void FontState::UseTahomaFolder(const std::string& folder) {
    std::string tahoma = Lower(kTahomaFamily);
    std::erase_if(faces, [&](const FaceEntry& e) { return !e.added && e.family == tahoma; });
    for (const char* file : kTahomaFiles) Register(folder + file, false);
    bool found = std::any_of(faces.begin(), faces.end(),
                             [&](const FaceEntry& e) { return !e.added && e.family == tahoma && !e.bold; });
    systemFamily = found ? kTahomaFamily : kFallbackFamily;
}

// The face entry for a name and weight: by family, then by file name, else the
// system family; the bold style preferred when asked.
const FaceEntry* FindFace(const std::string& name, bool bold) {
    FontState& st = State();
    std::string key = Lower(name);
    std::vector<const FaceEntry*> found;
    for (const FaceEntry& e : st.faces)
        if (!key.empty() && e.family == key) found.push_back(&e);
    if (found.empty())
        for (const FaceEntry& e : st.faces)
            if (!key.empty() && e.stem == key) found.push_back(&e);
    if (found.empty())
        for (const FaceEntry& e : st.faces)
            if (!e.added && e.family == Lower(st.systemFamily)) found.push_back(&e);
    for (const FaceEntry* e : found)
        if (e->bold == bold) return e;
    return found.empty() ? nullptr : found.front();
}

// A character height of the design (pixels at 96 dpi) at the screen's dpi.
int StockHeight(int designHeight) { return -static_cast<int>(std::lround(designHeight * ScreenDpi() / 96.0)); }

// Pixels per em for a font height (see FontDesc).
int PixelSize(FT_Face face, int height) {
    if (height == 0) height = StockHeight(kSystemFontDesignHeight);
    double ppem = -height;
    if (height > 0) {
        int cell = face->ascender - face->descender;
        ppem = cell > 0 ? static_cast<double>(height) * face->units_per_EM / cell : height;
    }
    return std::clamp(static_cast<int>(std::lround(ppem)), 1, kMaxPixelSize);
}

Font* MakeFont(const FontDesc& desc) {
    FontState& st = State();
    bool bold = desc.weight >= 600;
    const FaceEntry* entry = FindFace(desc.face, bold);
    if (!entry || !st.library) return nullptr;
    auto font = std::make_unique<Font>();
    font->desc = desc;
    if (FT_New_Face(st.library, entry->hostPath.c_str(), entry->faceIndex, &font->face) != 0) {
        font->face = nullptr;
        return nullptr;
    }
    FT_Select_Charmap(font->face, FT_ENCODING_UNICODE);
    if (FT_Set_Pixel_Sizes(font->face, 0, static_cast<FT_UInt>(PixelSize(font->face, desc.height))) != 0) return nullptr;
    font->emboldened = bold && !entry->bold;
    const FT_Size_Metrics& m = font->face->size->metrics;
    font->ascent = static_cast<int>((m.ascender + 63) >> 6);
    font->descent = static_cast<int>((-m.descender + 63) >> 6);
    return font.release();
}

void Unpack(const FT_Bitmap& bitmap, Glyph* g) {
    g->width = static_cast<int>(bitmap.width);
    g->rows = static_cast<int>(bitmap.rows);
    g->mask.assign(static_cast<size_t>(g->width) * static_cast<size_t>(g->rows), 0);
    for (int y = 0; y < g->rows; ++y) {
        const unsigned char* row = bitmap.buffer + static_cast<ptrdiff_t>(y) * bitmap.pitch;
        for (int x = 0; x < g->width; ++x) {
            bool on = bitmap.pixel_mode == FT_PIXEL_MODE_MONO ? (row[x >> 3] >> (7 - (x & 7))) & 1 : row[x] >= 128;
            g->mask[static_cast<size_t>(y) * static_cast<size_t>(g->width) + static_cast<size_t>(x)] = on;
        }
    }
}

Glyph Render(Font* font, char32_t cp) {
    Glyph g;
    if (!font->face || cp < 0x20 || (cp >= 0x7F && cp < 0xA0)) return g;
    if (FT_Load_Char(font->face, cp, FT_LOAD_TARGET_MONO) != 0) return g;
    FT_GlyphSlot slot = font->face->glyph;
    if (font->emboldened) FT_GlyphSlot_Embolden(slot);
    if (FT_Render_Glyph(slot, FT_RENDER_MODE_MONO) != 0) return g;
    g.left = slot->bitmap_left;
    g.top = slot->bitmap_top;
    g.advance = static_cast<int>((slot->advance.x + 32) >> 6);
    Unpack(slot->bitmap, &g);
    return g;
}

}  // namespace

Font::~Font() {
    if (face) FT_Done_Face(face);
}

const Glyph& GetGlyph(Font* font, char32_t codePoint) {
    auto it = font->glyphs.find(codePoint);
    if (it == font->glyphs.end()) it = font->glyphs.emplace(codePoint, Render(font, codePoint)).first;
    return it->second;
}

Hfont CreateFontIndirect(const FontDesc& desc) { return MakeFont(desc); }

bool GetFontDesc(Hfont font, FontDesc* desc) {
    if (!font || !desc) return false;
    *desc = font->desc;
    return true;
}

namespace {

// The stock font of the system family at a design height.
Hfont StockFont(int designHeight) {
    FontState& st = State();
    int height = StockHeight(designHeight);
    std::unique_ptr<Font>& slot = st.stockFonts[{st.systemFamily, height}];
    if (!slot) {
        FontDesc desc{height, 400, st.systemFamily, 0};
        slot.reset(MakeFont(desc));
        if (!slot) {  // no face installed: a font that draws nothing, so contexts still work
            slot = std::make_unique<Font>();
            slot->desc = desc;
        }
        slot->state.stock = true;
    }
    return slot.get();
}

}  // namespace

Hfont GetSystemFont() { return StockFont(kSystemFontDesignHeight); }

Hfont GetDialogFont() { return StockFont(kDialogFontDesignHeight); }

std::string GetSystemFontFamily() { return State().systemFamily; }

void SetTahomaFolder(const std::string& hostFolder) {
    State().UseTahomaFolder(hostFolder.empty() ? std::string(kTahomaFolder) : hostFolder);
}

int AddFontResourceFile(const std::string& path) {
    FontState& st = State();
    std::string host = HostPath(path);
    if (st.addCounts.count(host)) {
        ++st.addCounts[host];
        return static_cast<int>(std::count_if(st.faces.begin(), st.faces.end(),
                                              [&](const FaceEntry& e) { return e.added && e.hostPath == host; }));
    }
    int n = st.Register(host, true);
    if (n > 0) st.addCounts[host] = 1;
    return n;
}

bool RemoveFontResourceFile(const std::string& path) {
    FontState& st = State();
    std::string host = HostPath(path);
    auto it = st.addCounts.find(host);
    if (it == st.addCounts.end()) return false;
    if (--it->second == 0) {
        st.addCounts.erase(it);
        std::erase_if(st.faces, [&](const FaceEntry& e) { return e.added && e.hostPath == host; });
    }
    return true;
}

void ResetFontResources() {
    FontState& st = State();
    st.addCounts.clear();
    std::erase_if(st.faces, [](const FaceEntry& e) { return e.added; });
}

Font* DefaultFontForNewContext() { return GetSystemFont(); }
void RetainFont(Font* font) { Retain(font); }
void ReleaseFont(Font* font) { Release(font); }

bool DeleteObject(Hfont font) { return RequestDelete(font); }

Hfont SelectObject(Hdc dc, Hfont font) { return dc && font ? Swap(&dc->font, font) : nullptr; }

Hfont GetCurrentFont(Hdc dc) { return dc ? dc->font : nullptr; }

}  // namespace pl
