#include "Resources.h"

#include <QFont>
#include <QFontMetricsF>
#include <QLinearGradient>
#include <QPainter>
#include <QRadialGradient>

namespace radiosetup {

namespace {

// One palette for the splash, the logo and the icon: a calm night sky, a pale mast and
// light-blue waves.
const QColor kSkyTop(11, 37, 69);
const QColor kSkyBottom(36, 104, 134);
const QColor kMastColour(236, 243, 248);
const QColor kWaveColour(143, 211, 244);
const QColor kTitleColour(255, 255, 255);
const QColor kSubtitleColour(214, 234, 245);
const QColor kVersionColour(160, 199, 221);

const QSize kSplashSize(342, 392);
const QSize kLogoSize(143, 56);

// Mark geometry, as fractions of the height of the box the mark is drawn into.
constexpr qreal kMastTop = 0.30;     // the antenna tip, below the box top
constexpr qreal kMastSpread = 0.34;  // half the base width, per unit of mast height
constexpr qreal kFirstRung = 0.25;   // bracing starts this far down the legs
constexpr qreal kTipRadius = 1.25;   // the antenna dot, per unit of pen width
constexpr qreal kFirstWaveRadius = 0.19;
constexpr qreal kWaveSpacing = 0.135;
constexpr int kWaveSpanDegrees = 70;      // each arc, centred on the horizontal
constexpr qreal kWaveFadePerStep = 0.25;  // outer waves are fainter

constexpr int kMinPixelSize = 8;

// How much detail the mark carries: a 16-pixel icon cannot show a braced lattice.
struct MarkStyle {
    qreal penWidth;
    int sections;
    int firstWave;  // small marks leave out the inner waves, which would merge with the tip
    int waveCount;
};

QString ProductName() {
    return QStringLiteral("Sorvane");
}

QColor WithOpacity(QColor colour, qreal opacity) {
    colour.setAlphaF(static_cast<float>(opacity));
    return colour;
}

template <typename Draw>
QPixmap Render(QSize size, Draw draw) {
    QPixmap pixmap(size);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing);
    draw(painter, QRectF(QPointF(0, 0), size));
    return pixmap;
}

QPen MarkPen(const QColor& colour, qreal width) {
    return QPen(colour, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
}

void FillSky(QPainter& painter, const QRectF& box, qreal cornerRadius) {
    QLinearGradient sky(box.topLeft(), box.bottomLeft());
    sky.setColorAt(0, kSkyTop);
    sky.setColorAt(1, kSkyBottom);
    painter.setPen(Qt::NoPen);
    painter.setBrush(sky);
    painter.drawRoundedRect(box, cornerRadius, cornerRadius);
}

// A point on a mast leg, t = 0 at the tip and 1 at the foot.
QPointF OnLeg(QPointF tip, QPointF foot, qreal t) {
    return tip + (foot - tip) * t;
}

// Rungs at the section ends and a cross in every section.
void DrawBracing(QPainter& painter, QPointF tip, QPointF leftFoot, QPointF rightFoot,
                 int sections) {
    const auto rungAt = [&](int section) {
        const qreal t = kFirstRung + (1 - kFirstRung) * section / sections;
        return QLineF(OnLeg(tip, leftFoot, t), OnLeg(tip, rightFoot, t));
    };
    for (int section = 0; section < sections; ++section) {
        const QLineF top = rungAt(section);
        const QLineF bottom = rungAt(section + 1);
        painter.drawLine(top);
        painter.drawLine(top.p1(), bottom.p2());
        painter.drawLine(top.p2(), bottom.p1());
    }
    painter.drawLine(rungAt(sections));
}

void DrawMast(QPainter& painter, QPointF tip, qreal height, const MarkStyle& style) {
    const QPointF leftFoot = tip + QPointF(-height * kMastSpread, height);
    const QPointF rightFoot = tip + QPointF(height * kMastSpread, height);
    painter.setPen(MarkPen(kMastColour, style.penWidth));
    painter.setBrush(Qt::NoBrush);
    painter.drawPolyline(QPolygonF{leftFoot, tip, rightFoot});
    if (style.sections > 0) {
        DrawBracing(painter, tip, leftFoot, rightFoot, style.sections);
    }

    painter.setPen(Qt::NoPen);
    painter.setBrush(kMastColour);
    painter.drawEllipse(tip, style.penWidth * kTipRadius, style.penWidth * kTipRadius);
}

void DrawWaves(QPainter& painter, QPointF centre, qreal unit, const MarkStyle& style) {
    painter.setBrush(Qt::NoBrush);
    for (int wave = style.firstWave; wave < style.waveCount; ++wave) {
        painter.setPen(
            MarkPen(WithOpacity(kWaveColour, 1 - kWaveFadePerStep * wave), style.penWidth));
        const qreal radius = unit * (kFirstWaveRadius + kWaveSpacing * wave);
        const QRectF circle(centre - QPointF(radius, radius), QSizeF(2 * radius, 2 * radius));
        constexpr int kSpan = kWaveSpanDegrees * 16;  // QPainter counts 1/16 degrees
        painter.drawArc(circle, -kSpan / 2, kSpan);
        painter.drawArc(circle, 180 * 16 - kSpan / 2, kSpan);
    }
}

QPointF MarkTip(const QRectF& box) {
    return {box.center().x(), box.top() + box.height() * kMastTop};
}

// The mast with its waves, centred in box and scaled to its height; the feet stand on
// the bottom edge.
void DrawMark(QPainter& painter, const QRectF& box, const MarkStyle& style) {
    const QPointF tip = MarkTip(box);
    const qreal mastHeight = box.bottom() - tip.y() - style.penWidth / 2;
    DrawWaves(painter, tip, box.height(), style);
    DrawMast(painter, tip, mastHeight, style);
}

QFont CjkFont(int pixelSize, QFont::Weight weight) {
    QFont font;
    font.setFamilies({QStringLiteral("SimSun"), QStringLiteral("Noto Serif CJK SC"),
                      QStringLiteral("Noto Sans CJK SC"), QStringLiteral("WenQuanYi Zen Hei")});
    font.setPixelSize(pixelSize);
    font.setWeight(weight);
    return font;
}

// Which of the fallback fonts is present differs between machines, so the text is made
// to fit rather than trusted to.
void DrawFittedText(QPainter& painter, const QRectF& box, const QString& text, QFont font,
                    const QColor& colour, Qt::Alignment alignment = Qt::AlignCenter) {
    while (font.pixelSize() > kMinPixelSize &&
           (QFontMetricsF(font).horizontalAdvance(text) > box.width() ||
            QFontMetricsF(font).height() > box.height())) {
        font.setPixelSize(font.pixelSize() - 1);
    }
    painter.setFont(font);
    painter.setPen(colour);
    painter.drawText(box, alignment, text);
}

// Splash layout, in pixels.
const QRectF kSplashMarkBox(51, 40, 240, 200);  // its bottom edge is the ground line
constexpr qreal kSplashGlowRadius = 100;
constexpr qreal kSplashGroundInset = 40;
constexpr qreal kSplashTextMargin = 24;
constexpr qreal kSplashRuleY = 308.5;  // half a pixel keeps the one-pixel line sharp
constexpr qreal kSplashRuleHalfWidth = 60;
constexpr MarkStyle kSplashMarkStyle{5, 4, 0, 3};

void DrawGlow(QPainter& painter, QPointF centre, qreal radius) {
    QRadialGradient glow(centre, radius);
    glow.setColorAt(0, WithOpacity(kWaveColour, 0.35));
    glow.setColorAt(1, WithOpacity(kWaveColour, 0));
    painter.setPen(Qt::NoPen);
    painter.setBrush(glow);
    painter.drawEllipse(centre, radius, radius);
}

void DrawHorizontalRule(QPainter& painter, qreal y, qreal left, qreal right, qreal opacity) {
    painter.setPen(QPen(WithOpacity(kMastColour, opacity), 1));
    painter.drawLine(QPointF(left, y), QPointF(right, y));
}

void DrawSplashTexts(QPainter& painter, const QRectF& box, Language language) {
    const auto line = [&](qreal top, qreal height) {
        return QRectF(kSplashTextMargin, top, box.width() - 2 * kSplashTextMargin, height);
    };
    DrawFittedText(painter, line(254, 50), ProductName(), CjkFont(40, QFont::Bold), kTitleColour);
    DrawHorizontalRule(painter, kSplashRuleY, box.center().x() - kSplashRuleHalfWidth,
                       box.center().x() + kSplashRuleHalfWidth, 0.6);
    DrawFittedText(painter, line(318, 28),
                   QString::fromStdString(Translate("高速数传台设置软件", language)),
                   CjkFont(20, QFont::Normal), kSubtitleColour);
    DrawFittedText(painter, line(352, 22), QStringLiteral("V3.1"), CjkFont(15, QFont::Normal),
                   kVersionColour);
}

void DrawSplash(QPainter& painter, const QRectF& box, Language language) {
    FillSky(painter, box, 0);
    DrawGlow(painter, MarkTip(kSplashMarkBox), kSplashGlowRadius);
    DrawHorizontalRule(painter, kSplashMarkBox.bottom() + 0.5, kSplashGroundInset,
                       box.width() - kSplashGroundInset, 0.45);
    DrawMark(painter, kSplashMarkBox, kSplashMarkStyle);
    DrawSplashTexts(painter, box, language);

    // The splash window has no border of its own.
    painter.setPen(QPen(WithOpacity(kMastColour, 0.3), 1));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(box.adjusted(0.5, 0.5, -0.5, -0.5));
}

// Logo layout: the mark in a square on the left, the name beside it.
constexpr qreal kLogoCornerRadius = 6;
constexpr qreal kLogoPadding = 5;
constexpr MarkStyle kLogoMarkStyle{1.6, 2, 0, 3};

void DrawLogo(QPainter& painter, const QRectF& box) {
    FillSky(painter, box, kLogoCornerRadius);
    const qreal side = box.height() - 2 * kLogoPadding;
    const QRectF markBox(kLogoPadding, kLogoPadding, side, side);
    DrawMark(painter, markBox, kLogoMarkStyle);
    const QRectF nameBox(markBox.right() + kLogoPadding, kLogoPadding,
                         box.right() - markBox.right() - 2 * kLogoPadding, side);
    DrawFittedText(painter, nameBox, ProductName(), CjkFont(22, QFont::Bold), kTitleColour,
                   Qt::AlignLeft | Qt::AlignVCenter);
}

// Each icon size gets its own detail: the smaller, the plainer.
struct IconFace {
    int size;
    MarkStyle style;
};
constexpr IconFace kIconFaces[] = {
    {16, {1.2, 0, 1, 2}},
    {32, {1.6, 1, 0, 3}},
    {48, {2.0, 2, 0, 3}},
};
constexpr qreal kIconCornerRadius = 0.18;  // per unit of icon size
constexpr qreal kIconInset = 0.06;

void DrawIconFace(QPainter& painter, const QRectF& box, const MarkStyle& style) {
    FillSky(painter, box, box.height() * kIconCornerRadius);
    const qreal inset = box.height() * kIconInset;
    DrawMark(painter, box.adjusted(inset, inset, -inset, -inset), style);
}

QPixmap RenderIconFace(int pixels, const IconFace& face) {
    return Render(QSize(pixels, pixels), [&](QPainter& painter, const QRectF& box) {
        // A face drawn larger than its own size keeps its proportions and detail.
        const qreal scale = box.height() / face.size;
        painter.scale(scale, scale);
        DrawIconFace(painter, QRectF(0, 0, face.size, face.size), face.style);
    });
}

QIcon DrawAppIcon() {
    QIcon icon;
    for (const IconFace& face : kIconFaces) {
        icon.addPixmap(RenderIconFace(face.size, face));
    }
    return icon;
}

}  // namespace

// Everything is drawn on first use: a QPixmap needs the application object to exist.
QPixmap BitmapResource(int id) {
    switch (id) {
        case Res::kSplashBitmap: {
            static const QPixmap splash =
                Render(kSplashSize, [](QPainter& painter, const QRectF& box) {
                    DrawSplash(painter, box, Language::Chinese);
                });
            return splash;
        }
        case Res::kSplashBitmapEnglish: {
            static const QPixmap splash =
                Render(kSplashSize, [](QPainter& painter, const QRectF& box) {
                    DrawSplash(painter, box, Language::English);
                });
            return splash;
        }
        case Res::kLogoBitmap: {
            static const QPixmap logo = Render(kLogoSize, DrawLogo);
            return logo;
        }
        default:
            return {};
    }
}

QPixmap AppIconPixmap(int pixels) {
    const IconFace* chosen = &kIconFaces[0];
    for (const IconFace& face : kIconFaces) {
        if (face.size <= pixels) {
            chosen = &face;
        }
    }
    return RenderIconFace(pixels, *chosen);
}

QIcon IconResource(int id) {
    if (id != Res::kAppIcon) {
        return {};
    }
    static const QIcon icon = DrawAppIcon();
    return icon;
}

}  // namespace radiosetup
