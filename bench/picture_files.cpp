// Reading pictures: how long a picture of a few hundred bytes that declares
// 16152 x 6144 pixels takes to be refused (it is refused from its header,
// before any pixel is decoded; decoded whole it took seconds and gigabytes),
// beside a small picture read whole.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "bench_folder.h"
#include "platform/files.h"
#include "platform/gdi.h"
#include "platform/image_files.h"

namespace {

namespace fs = std::filesystem;

// The saved fuzz inputs of the picture reader, in the source tree.
fs::path Corpus(const char* name) {
    return fs::path(ZENDAVORI_SOURCE_DIR) / "fuzz" / "corpus" / "pictures" / name;
}

// A program folder holding `name` of the corpus as img/picture.jpg.
struct PictureFolder {
    fs::path root;
    explicit PictureFolder(const char* name) {
        root = BenchFolder(std::string("pictures_") + name);
        fs::create_directories(root / "img");
        fs::copy_file(Corpus(name), root / "img" / "picture.jpg", fs::copy_options::overwrite_existing);
        pl::SetProgramFolder(root.string());
    }
    ~PictureFolder() { fs::remove_all(root); }
};

void Read(benchmark::State& state, const char* name, bool expectPicture) {
    PictureFolder folder(name);
    for (auto _ : state) {
        pl::Hbitmap picture = pl::LoadImageFile("img\\picture.jpg");
        if ((picture != nullptr) != expectPicture) state.SkipWithError("unexpected result");
        if (picture) pl::DeleteObject(picture);
        benchmark::DoNotOptimize(picture);
    }
}

void BM_RefuseDeclared16152x6144(benchmark::State& state) { Read(state, "declares_16152x6144", false); }
void BM_ReadGradient8x8(benchmark::State& state) { Read(state, "gradient_8x8", true); }

}  // namespace

BENCHMARK(BM_RefuseDeclared16152x6144)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ReadGradient8x8)->Unit(benchmark::kMicrosecond);
