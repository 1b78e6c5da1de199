#include "support/text_entries.h"

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>

#include "catalog/dreyer.h"
#include "core/angle_text.h"
#include "core/date_text.h"
#include "core/preferences.h"
#include "core/text_numbers.h"
#include "platform/screen.h"
#include "platform/sdl_backend.h"
#include "platform/serial_port.h"
#include "support/fuzz_folder.h"
#include "support/recording_services.h"
#include "ui/colors.h"
#include "ui/draw_window.h"
#include "ui/font_set.h"
#include "ui/number_field.h"
#include "ui/offscreen.h"
#include "ui/text_drawing.h"

namespace {

bool Terminated(const char* text, std::size_t size) { return std::memchr(text, '\0', size) != nullptr; }

// The input after `skip` bytes as a terminated text of at most `most` bytes
// (it ends at the first NUL of the input).
std::string InputText(const uint8_t* data, std::size_t size, std::size_t skip, std::size_t most) {
    if (size <= skip) return {};
    std::string text(reinterpret_cast<const char*>(data + skip), std::min(size - skip, most));
    return text.substr(0, text.find('\0'));
}

// Writes the value in every format of the angle and hour writers, into a
// buffer of `size` bytes; 2 when a text is not terminated.
int WriteBack(double value, std::size_t size) {
    char text[48];
    for (int format = 0; format < 4; ++format) {
        preferences.word[kPrefRaFormat] = format;
        preferences.word[kPrefDecFormat] = format;
        std::memset(text, 0x55, sizeof text);
        DegToStr(text, size, value);
        if (!Terminated(text, size)) return 2;
        std::memset(text, 0x55, sizeof text);
        HMSToStr(text, size, value / 15.0);
        if (!Terminated(text, size)) return 2;
        std::memset(text, 0x55, sizeof text);
        HoursToHMSText(text, size, value);
        if (!Terminated(text, size)) return 2;
    }
    std::memset(text, 0x55, sizeof text);
    DoubleToStr(text, size, value, 3);
    return Terminated(text, size) ? 0 : 2;
}

// The drawing state kept between inputs: fonts and a picture.
struct DrawnTextState {
    DrawWindowRecord* picture = nullptr;
    FuzzFolder* folder = nullptr;
};
DrawnTextState drawn;

}  // namespace

int RunNumberFields(const uint8_t* data, std::size_t size) {
    RecordingServices services;
    const int selector = size > 0 ? data[0] : 0;
    const std::string text = InputText(data, size, 1, 64);
    static const NumberField fields[] = {
        {1, "Year", "Year:", 5, 1700, 2199, NumberForm::Count},
        {2, "Aperture", "Aperture:", 8, 10, 1000, NumberForm::Decimal, " mm"},
        {3, "DeltaT", "DeltaT", 6, 40, 200, NumberForm::Decimal, " s", true},
        {4, "Hours", "Hours:", 12, 0, 24, NumberForm::Sexagesimal},
        {5, "Latitude", "Latitude:", 16, 0, 90, NumberForm::Latitude},
        {6, "Longitude", "Longitude:", 16, 0, 180, NumberForm::Longitude},
        {7, "Declination", "Dec:", 16, -90, 90, NumberForm::Sexagesimal, "\xB0"},
        {8, "Zone", "Zone:", 6, -12, 14, NumberForm::Count},
    };
    const NumberField& field = fields[selector % 8];
    double value = -12345.0;
    if (ParseNumberField(field, text.c_str(), &value)) {
        if (!std::isfinite(value)) return 1;
        const bool hemisphere = field.form == NumberForm::Latitude || field.form == NumberForm::Longitude;
        const double checked = hemisphere ? std::fabs(value) : value;
        if (checked < field.low || checked > field.high || (field.lowOpen && checked == field.low)) return 1;
        const std::size_t first = text.find_first_not_of(" \t");
        if (field.form == NumberForm::Longitude && first != std::string::npos && (text[first] == '-' || text[first] == '+'))
            return 3;
        if (!hemisphere && ParseSignedDegrees(text.c_str()) != value) return 4;
    } else if (value != -12345.0) {
        return 1;
    }
    int32_t a = 0, b = 0, c = 0;
    ParseSexagesimal(text.c_str(), ':', &a, &b, &c);
    int first = 0, second = 0, year = 0;
    ParseDate(text.c_str(), &first, &second, &year);
    char date[16];
    FormatDate(date, sizeof date, first, second, year);
    const double values[] = {static_cast<double>(ParseInt(text.c_str())),
                             ParseDouble(text.c_str()),
                             ParseSignedDegrees(text.c_str()),
                             ParseSignedValue(text.c_str()),
                             ParseHoursToDegrees(text.c_str()),
                             value};
    const std::size_t bufferSize = selector >= 128 ? 7 : 40;
    for (double v : values)
        if (int failed = WriteBack(v, bufferSize)) return failed;
    return 0;
}

int RunEnvironmentValues(const uint8_t* data, std::size_t size) {
    std::string parts[4];
    SplitFuzzInput(data, size, std::string(1, '\0'), parts, 4);
    pl::ScreenInfo screen{1, 1, 1};
    if (pl::ParseScreenPreset(parts[0].c_str(), &screen) &&
        (screen.width < 1 || screen.width > 4096 || screen.height < 1 || screen.height > 4096 || screen.dpi < 24 ||
         screen.dpi > 1200))
        return 1;
    setenv("ZENDAVORI_SCREEN", parts[0].c_str(), 1);
    const pl::ScreenInfo fallback{240, 320, 96};
    if (pl::ScreenFromEnvironment(fallback, &screen) &&
        (screen.width < 1 || screen.width > 4096 || screen.height < 1 || screen.height > 4096))
        return 1;
    setenv("ZENDAVORI_ZOOM", parts[1].c_str(), 1);
    const int zoom = pl::ZoomFromEnvironment();
    if (zoom < 1 || zoom > 8) return 2;
    for (int n = 1; n <= 9; ++n) unsetenv(("ZENDAVORI_COM" + std::to_string(n)).c_str());
    setenv("ZENDAVORI_COM1", parts[3].c_str(), 1);
    const std::string path = pl::SerialDevicePath(parts[2]);
    if (!path.empty() && parts[2].empty()) return 3;
    unsetenv("ZENDAVORI_SCREEN");
    unsetenv("ZENDAVORI_ZOOM");
    unsetenv("ZENDAVORI_COM1");
    return 0;
}

int RunDreyerText(const uint8_t* data, std::size_t size) {
    static const std::size_t capacities[] = {kDreyerLongSize, 1, 2, 16, 64, 191, 256};
    const std::size_t capacity = capacities[(size > 0 ? data[0] : 0) % 7];
    const std::string description = InputText(data, size, 1, 49);
    char output[256 + 16];
    std::memset(output, 0x55, sizeof output);
    TranslateDreyerDescription(description.c_str(), output, capacity);
    for (std::size_t k = capacity; k < sizeof output; ++k)
        if (output[k] != 0x55) return 1;
    if (!description.empty() && !Terminated(output, capacity)) return 1;
    return 0;
}

int RunDrawnText(const uint8_t* data, std::size_t size) {
    if (!drawn.picture) {
        drawn.folder = new FuzzFolder;
        std::filesystem::create_directories(drawn.folder->path() / "font");
        std::filesystem::copy_file("/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf",
                                   drawn.folder->path() / "font" / "symbol.ttf",
                                   std::filesystem::copy_options::overwrite_existing);
        displayScale = DisplayScale{1.0, 1.0};
        InitColorSet();
        ReleaseDrawWindow();
        drawn.picture = CreateOffscreenDib(96, 48, 16);
        if (!drawn.picture) return 0;
        SetDrawWindow(drawn.picture);
    }
    RecordingServices services;
    const int font = size > 0 ? data[0] % kFontCount : 0;
    const int x = size > 1 ? static_cast<int8_t>(data[1]) : 0;
    const int y = size > 2 ? static_cast<int8_t>(data[2]) : 0;
    const std::string text =
        size > 3 ? std::string(reinterpret_cast<const char*>(data + 3), std::min<std::size_t>(size - 3, 256))
                 : std::string();
    const int length = static_cast<int>(text.size());
    SelectFont(font);
    DrawChars(text.data(), length, x, y);
    if (CharsWidth(text.data(), length) < 0 || CharsHeight() < 0) return 1;
    SetTextTransparent(true);
    DrawPlainText(text.data(), length, x, y);
    SetTextTransparent(false);
    DrawLabelText(text.data(), length, y, x);
    if (DrawTextInRect(text.c_str(), x, y, 96 - x, 48 - y) < 0) return 1;
    if (length > 0) DrawSymbolChar(text[0], x, y);
    SelectFont(0);
    return 0;
}

void ReleaseDrawnText() {
    if (!drawn.picture) return;
    ReleaseFonts();
    ReleaseDrawWindow();
    DeleteOffscreenWindow(drawn.picture);
    DeleteColorSet();
    delete drawn.folder;
    drawn = DrawnTextState{};
}
