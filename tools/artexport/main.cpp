// artexport OUTDIR: our own art, drawn as the Linux program draws it, written as the files
// the Windows program embeds: app.ico, splash.bmp (130), splash-en.bmp (131) and logo.bmp (144).
// artexport --icons OUTDIR SIZE...: the program's icon as SIZE.png for each size, for the
// Linux desktop's icon theme.
#include <QApplication>
#include <QImage>
#include <cstdio>

#include "Resources.h"

using namespace radiosetup;

namespace {

constexpr int kLargestIcon = 1024;

bool Save(const QImage& image, const QString& path, const char* format) {
    if (!image.save(path, format)) {
        std::fprintf(stderr, "artexport: cannot write %s\n", qPrintable(path));
        return false;
    }
    return true;
}

QImage Bitmap(int id) {
    return BitmapResource(id).toImage().convertToFormat(QImage::Format_RGB888);
}

int ExportWindowsArt(const QString& folder) {
    constexpr int kIconPixels = 32;
    const bool written =
        Save(IconResource(Res::kAppIcon).pixmap(kIconPixels, kIconPixels).toImage(),
             folder + "/app.ico", "ICO") &&
        Save(Bitmap(Res::kSplashBitmap), folder + "/splash.bmp", "BMP") &&
        Save(Bitmap(Res::kSplashBitmapEnglish), folder + "/splash-en.bmp", "BMP") &&
        Save(Bitmap(Res::kLogoBitmap), folder + "/logo.bmp", "BMP");
    return written ? 0 : 1;
}

int ExportIcons(const QString& folder, const QStringList& sizes) {
    for (const QString& text : sizes) {
        bool isNumber = false;
        const int pixels = text.toInt(&isNumber);
        if (!isNumber || pixels < 1 || pixels > kLargestIcon) {
            std::fprintf(stderr, "artexport: bad icon size %s\n", qPrintable(text));
            return 2;
        }
        if (!Save(AppIconPixmap(pixels).toImage(), folder + "/" + text + ".png", "PNG")) {
            return 1;
        }
    }
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const QStringList arguments = QApplication::arguments();
    if (arguments.size() >= 4 && arguments[1] == "--icons") {
        return ExportIcons(arguments[2], arguments.mid(3));
    }
    if (arguments.size() != 2 || arguments[1].startsWith("--")) {
        std::fputs("usage: artexport OUTDIR\n       artexport --icons OUTDIR SIZE...\n", stderr);
        return 2;
    }
    return ExportWindowsArt(arguments[1]);
}
