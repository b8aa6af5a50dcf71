// artexport OUTDIR: our own art, drawn as the Linux program draws it, written as the files
// the Windows program embeds: app.ico, splash.bmp (130) and logo.bmp (144).
#include <QApplication>
#include <QImage>
#include <cstdio>

#include "Resources.h"

using namespace radiosetup;

namespace {

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

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    if (argc != 2) {
        std::fputs("usage: artexport OUTDIR\n", stderr);
        return 2;
    }
    const QString folder = QString::fromLocal8Bit(argv[1]);
    constexpr int kIconPixels = 32;
    const bool written =
        Save(IconResource(Res::kAppIcon).pixmap(kIconPixels, kIconPixels).toImage(),
             folder + "/app.ico", "ICO") &&
        Save(Bitmap(Res::kSplashBitmap), folder + "/splash.bmp", "BMP") &&
        Save(Bitmap(Res::kLogoBitmap), folder + "/logo.bmp", "BMP");
    return written ? 0 : 1;
}
