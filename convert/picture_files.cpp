#include "convert/picture_files.h"

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <cstdlib>
#include <set>

#include <jpeglib.h>
#include <nlohmann/json.hpp>
#include <png.h>

#include "catalog/designations.h"
#include "catalog/object_lists.h"
#include "catalog/object_pictures.h"
#include "convert/source_files.h"

namespace convert {
namespace {

constexpr int kJpegQuality = 75;
constexpr char kMadeMark[] = "Made by zendavori-convert from ";

// Pictures whose file shows further objects than the one it is named for.
struct FurtherObjects {
    const char* file;
    PictureObject objects[2];
};
constexpr FurtherObjects kFurtherObjects[] = {
    {"m31.png", {{kDesignationMessier, 32}, {kDesignationMessier, 110}}},
    {"m42.png", {{kDesignationMessier, 43}, {0, 0}}},
};

std::string PathOf(int designation, long number) {
    std::string path = ImageFolderPath(kImageFolderCatalog, designation);
    std::replace(path.begin(), path.end(), '\\', '/');
    return path + DesignationPrefix(designation) + std::to_string(number) + ".jpg";
}

// The number after `prefix` at the start of a file name; 0 when none follows.
long NumberAfter(const std::string& name, const std::string& prefix) {
    if (name.compare(0, prefix.size(), prefix) != 0) return 0;
    long n = 0;
    for (std::size_t i = prefix.size(); i < name.size() && std::isdigit(static_cast<unsigned char>(name[i])); ++i) {
        if (n > 100000) return 0;
        n = n * 10 + (name[i] - '0');
    }
    return n;
}

// The text without the JSON extensions textures.json uses: "0" is put before a
// point that starts a number, a comma before a closing bracket is dropped.
std::string StrictJson(const std::string& text) {
    std::string out;
    out.reserve(text.size() + text.size() / 16);
    bool inString = false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        char c = text[i];
        if (inString) {
            out += c;
            if (c == '\\' && i + 1 < text.size()) out += text[++i];
            else if (c == '"') inString = false;
            continue;
        }
        if (c == '"') inString = true;
        if (c == '.' && i + 1 < text.size() && std::isdigit(static_cast<unsigned char>(text[i + 1])) &&
            (out.empty() || !std::isdigit(static_cast<unsigned char>(out.back()))))
            out += '0';
        if (c == ',') {
            std::size_t next = text.find_first_not_of(" \t\r\n", i + 1);
            if (next != std::string::npos && (text[next] == ']' || text[next] == '}')) continue;
        }
        out += c;
    }
    return out;
}

// The string of `object` under `key` in any case; "" when there is none.
std::string StringOf(const nlohmann::json& object, const std::string& key) {
    for (auto it = object.begin(); it != object.end(); ++it) {
        std::string k = it.key();
        std::transform(k.begin(), k.end(), k.begin(), [](unsigned char c) { return std::tolower(c); });
        if (k == key && it->is_string()) return it->get<std::string>();
    }
    return "";
}

std::string Credit(const nlohmann::json& credits) {
    if (!credits.is_object()) return "";
    std::string credit = Trim(StringOf(credits, "short"));
    std::string url = Trim(StringOf(credits, "infourl"));
    if (!url.empty()) credit += (credit.empty() ? "" : ", ") + url;
    return credit;
}

// The credits of every picture entry below `root`, the first entry of a file
// in document order winning; walked with a list of its own rather than by
// recursion, so that no nesting depth can exhaust the stack.
void CollectCredits(const nlohmann::json& root, std::map<std::string, std::string>* credits) {
    std::vector<const nlohmann::json*> pending{&root};
    while (!pending.empty()) {
        const nlohmann::json& value = *pending.back();
        pending.pop_back();
        if (value.is_object() && value.contains("imageUrl") && value["imageUrl"].is_string() &&
            value.contains("imageCredits")) {
            std::string credit = Credit(value["imageCredits"]);
            if (!credit.empty()) credits->emplace(value["imageUrl"].get<std::string>(), credit);
        }
        if (!value.is_object() && !value.is_array()) continue;
        const std::size_t first = pending.size();
        for (const nlohmann::json& child : value) pending.push_back(&child);
        std::reverse(pending.begin() + static_cast<std::ptrdiff_t>(first), pending.end());
    }
}

}  // namespace

std::vector<PictureObject> PictureFileObjects(const std::string& fileName) {
    std::vector<PictureObject> objects;
    if (fileName == "pleiades.png") return {{kDesignationMessier, 45}};
    if (long m = NumberAfter(fileName, "m")) objects.push_back({kDesignationMessier, m});
    else if (long n = NumberAfter(fileName, "n")) objects.push_back({kDesignationNgc, n});
    else if (long i = NumberAfter(fileName, "ic")) objects.push_back({kDesignationIc, i});
    for (const FurtherObjects& f : kFurtherObjects)
        if (fileName == f.file)
            for (const PictureObject& o : f.objects)
                if (o.number > 0) objects.push_back(o);
    return objects;
}

std::string OwnPicturePath(const PictureObject& object) { return PathOf(object.designation, object.number); }

std::vector<std::string> OtherPicturePaths(const PictureObject& object) {
    std::vector<std::string> paths;
    auto add = [&](int designation, long number) {
        std::string path = PathOf(designation, number);
        if (designation > 0 && path != OwnPicturePath(object) && std::find(paths.begin(), paths.end(), path) == paths.end())
            paths.push_back(path);
    };
    for (int i = 0; i < kMessierCount; ++i) {
        const CatalogueKey& k = messierKeys[i];
        bool same = object.designation == kDesignationMessier
                        ? object.number == i + 1
                        : (k.designation == object.designation && k.number == object.number) ||
                              (k.altDesignation == object.designation && k.altNumber == object.number);
        if (!same) continue;
        add(kDesignationMessier, i + 1);
        add(k.designation, k.number);
        add(k.altDesignation, k.altNumber);
    }
    return paths;
}

std::vector<PicturePlan> PlanPictures(std::vector<std::string> files, const std::map<std::string, std::string>& credits) {
    std::sort(files.begin(), files.end());
    std::vector<PicturePlan> plans;
    std::vector<std::vector<PictureObject>> objects;
    for (const std::string& file : files) {
        auto credit = credits.find(file);
        std::vector<PictureObject> shown = PictureFileObjects(file);
        if (shown.empty() || credit == credits.end()) continue;
        plans.push_back({file, credit->second, {}});
        objects.push_back(shown);
    }
    std::set<std::string> taken;
    auto claim = [&](PicturePlan& plan, const std::string& path) {
        if (taken.insert(path).second) plan.paths.push_back(path);
    };
    for (std::size_t i = 0; i < plans.size(); ++i)
        for (const PictureObject& o : objects[i]) claim(plans[i], OwnPicturePath(o));
    for (std::size_t i = 0; i < plans.size(); ++i)
        for (const PictureObject& o : objects[i])
            for (const std::string& path : OtherPicturePaths(o)) claim(plans[i], path);
    std::erase_if(plans, [](const PicturePlan& p) { return p.paths.empty(); });
    return plans;
}

std::map<std::string, std::string> ParsePictureCredits(const std::string& text, const std::string& source) {
    nlohmann::json root = nlohmann::json::parse(StrictJson(text), nullptr, false);
    if (root.is_discarded()) throw SourceError(source + ": not readable as JSON");
    std::map<std::string, std::string> credits;
    CollectCredits(root, &credits);
    return credits;
}

RgbPicture DecodePng(const std::string& bytes, const std::string& source) {
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_memory(&image, bytes.data(), bytes.size()))
        throw SourceError(source + ": not a PNG picture");
    if (image.width == 0 || image.height == 0 || image.width > kLargestPictureSide ||
        image.height > kLargestPictureSide) {
        png_image_free(&image);
        throw SourceError(source + ": picture too large");
    }
    image.format = PNG_FORMAT_RGB;
    RgbPicture p;
    p.width = static_cast<int>(image.width);
    p.height = static_cast<int>(image.height);
    p.rgb.assign(PNG_IMAGE_SIZE(image), 0);
    png_color black{0, 0, 0};
    if (!png_image_finish_read(&image, &black, p.rgb.data(), 0, nullptr)) {
        png_image_free(&image);
        throw SourceError(source + ": damaged PNG picture");
    }
    return p;
}

RgbPicture ShrinkPicture(const RgbPicture& p, int longSide) {
    const int side = std::max(p.width, p.height);
    if (side <= longSide) return p;
    RgbPicture out;
    out.width = std::max<int>(1, static_cast<int>(int64_t{p.width} * longSide / side));
    out.height = std::max<int>(1, static_cast<int>(int64_t{p.height} * longSide / side));
    out.rgb.resize(std::size_t{3} * out.width * out.height);
    auto span = [](int i, int from, int to, int* first, int* last) {
        *first = static_cast<int>(int64_t{i} * from / to);
        *last = std::max(*first + 1, static_cast<int>(int64_t{i + 1} * from / to));
    };
    for (int y = 0; y < out.height; ++y) {
        int y0, y1;
        span(y, p.height, out.height, &y0, &y1);
        for (int x = 0; x < out.width; ++x) {
            int x0, x1;
            span(x, p.width, out.width, &x0, &x1);
            uint64_t sum[3] = {};
            for (int sy = y0; sy < y1; ++sy)
                for (int sx = x0; sx < x1; ++sx)
                    for (int c = 0; c < 3; ++c) sum[c] += p.rgb[(std::size_t{3} * sy * p.width) + 3 * sx + c];
            const uint64_t count = static_cast<uint64_t>(y1 - y0) * (x1 - x0);
            for (int c = 0; c < 3; ++c)
                out.rgb[(std::size_t{3} * y * out.width) + 3 * x + c] =
                    static_cast<unsigned char>((sum[c] + count / 2) / count);
        }
    }
    return out;
}

std::string EncodePictureJpeg(const RgbPicture& p, const std::string& source) {
    jpeg_compress_struct info;
    jpeg_error_mgr err;
    info.err = jpeg_std_error(&err);
    jpeg_create_compress(&info);
    unsigned char* memory = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&info, &memory, &size);
    info.image_width = static_cast<JDIMENSION>(p.width);
    info.image_height = static_cast<JDIMENSION>(p.height);
    info.input_components = 3;
    info.in_color_space = JCS_RGB;
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, kJpegQuality, TRUE);
    info.optimize_coding = TRUE;
    jpeg_simple_progression(&info);
    jpeg_start_compress(&info, TRUE);
    const std::string mark = kMadeMark + source;
    jpeg_write_marker(&info, JPEG_COM, reinterpret_cast<const JOCTET*>(mark.data()),
                      static_cast<unsigned int>(mark.size()));
    while (info.next_scanline < info.image_height) {
        JSAMPROW row = const_cast<unsigned char*>(&p.rgb[std::size_t{3} * info.next_scanline * p.width]);
        jpeg_write_scanlines(&info, &row, 1);
    }
    jpeg_finish_compress(&info);
    std::string bytes(reinterpret_cast<const char*>(memory), size);
    jpeg_destroy_compress(&info);
    std::free(memory);
    return bytes;
}

bool MadeByConverter(const std::string& firstBytes) { return firstBytes.find(kMadeMark) != std::string::npos; }

}  // namespace convert
