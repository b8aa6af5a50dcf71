#include <gtest/gtest.h>

#include <QImage>

#include "Resources.h"
#include "TestNamespaces.h"

namespace {

// Art drawn wrong tends to come out blank: a picture of one colour.
bool HasSeveralColours(const QPixmap& pixmap) {
    const QImage image = pixmap.toImage();
    const QRgb first = image.pixel(0, 0);
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (image.pixel(x, y) != first) {
                return true;
            }
        }
    }
    return false;
}

TEST(BitmapResourceTest, PicturesHaveTheirFixedSizesAndAreDrawn) {
    const QPixmap splash = BitmapResource(Res::kSplashBitmap);
    EXPECT_EQ(splash.size(), QSize(342, 392));
    EXPECT_TRUE(HasSeveralColours(splash));

    const QPixmap logo = BitmapResource(Res::kLogoBitmap);
    EXPECT_EQ(logo.size(), QSize(143, 56));
    EXPECT_TRUE(HasSeveralColours(logo));
}

TEST(BitmapResourceTest, RepeatedRequestsGiveTheSamePicture) {
    EXPECT_EQ(BitmapResource(Res::kSplashBitmap).cacheKey(),
              BitmapResource(Res::kSplashBitmap).cacheKey());
}

TEST(IconResourceTest, AppIconHasSmallAndLargeSizes) {
    const QIcon icon = IconResource(Res::kAppIcon);
    ASSERT_FALSE(icon.isNull());
    const QList<QSize> sizes = icon.availableSizes();
    EXPECT_TRUE(sizes.contains(QSize(16, 16)));
    EXPECT_TRUE(sizes.contains(QSize(32, 32)));
    EXPECT_TRUE(HasSeveralColours(icon.pixmap(16, 16)));
}

TEST(StringResourceTest, AboutMenuTextIsExact) {
    EXPECT_EQ(StringResource(Res::kAboutMenuText), "关于 Tarnwick(&A)...");
}

TEST(ResourcesTest, UnknownIdsGiveNothing) {
    EXPECT_TRUE(BitmapResource(132).isNull());
    EXPECT_TRUE(BitmapResource(Res::kAppIcon).isNull());
    EXPECT_TRUE(IconResource(Res::kSplashBitmap).isNull());
    EXPECT_TRUE(StringResource(102).empty());
}

}  // namespace
