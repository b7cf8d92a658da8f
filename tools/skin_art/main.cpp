// Paints every picture of the skin and writes it as <number>.png, and all but
// the page backgrounds also at twice the size as <number>@2x.png, into the
// directory given on the command line (src/skin/resources in the tree):
//   cmake --build build --target skin_art
//   QT_QPA_PLATFORM=offscreen build/tools/skin_art/skin_art src/skin/resources

#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <cstdio>
#include <functional>
#include <vector>

#include "painters.h"

using namespace skin_art;

namespace {

struct Picture {
    int id;
    std::function<QImage(int scale)> paint;
    bool twice = true;  // also painted at 2x
};

std::vector<Picture> Pictures() {
    const QSize key(100, 28), wide(96, 28), page(73, 79), large(104, 79), icon(54, 45), connect(69, 70), small(38, 28);
    // Backgrounds whose rows are each one colour are painted a few columns
    // wide: the program stretches their last column across what they fill.
    const QSize strip(8, 2000), narrowPanel(8, 1280), panel(1600, 1280);
    std::vector<Picture> all = {
        {128, [](int s) { return AppIcon(QSize(64, 64), s); }},
        {165, [=](int s) { return Key(key, s, false); }},
        {166, [=](int s) { return Key(key, s, true); }},
        {167, [=](int s) { return Key(wide, s, false); }},
        {168, [=](int s) { return Key(wide, s, true); }},
        {213, [=](int s) { return Key(wide, s, false); }},
        {214, [=](int s) { return Key(wide, s, true, kCyanTop, kCyanBottom); }},
        {183, [=](int s) { return PageKey(page, s, false); }},
        {184, [=](int s) { return PageKey(page, s, true); }},
        {193, [=](int s) { return NameKey(large, s, false); }},
        {194, [=](int s) { return NameKey(large, s, true); }},
        {195, [=](int s) { return IconKey(icon, s, false, Icon::Gear); }},
        {196, [=](int s) { return IconKey(icon, s, true, Icon::Gear); }},
        {197, [=](int s) { return IconKey(icon, s, false, Icon::Outputs); }},
        {198, [=](int s) { return IconKey(icon, s, true, Icon::Outputs); }},
        {199, [=](int s) { return IconKey(icon, s, false, Icon::Link); }},
        {200, [=](int s) { return IconKey(icon, s, true, Icon::Link); }},
        {201, [=](int s) { return IconKey(icon, s, false, Icon::Phantom); }},
        {202, [=](int s) { return IconKey(icon, s, true, Icon::Phantom); }},
        {203, [=](int s) { return IconKey(icon, s, false, Icon::ClearMute); }},
        {204, [=](int s) { return IconKey(icon, s, true, Icon::ClearMute); }},
        {205, [=](int s) { return IconKey(icon, s, false, Icon::ClearSolo); }},
        {206, [=](int s) { return IconKey(icon, s, true, Icon::ClearSolo); }},
        {208, [=](int s) { return IconKey(icon, s, false, Icon::Home); }},
        {182, [=](int s) { return ConnectKey(connect, s, false); }},
        {181, [=](int s) { return ConnectKey(connect, s, true); }},
        {220, [=](int s) { return Key(small, s, false); }},
        {219, [=](int s) { return Key(small, s, true); }},
        {180, [](int s) { return Logo(QSize(300, 60), s); }},
        // Backgrounds: console, strips, output strips, pages, control-group strips 1..4.
        {188, [=](int) { return ConsoleBackground(strip); }, false},
        {189, [=](int) { return StripBackground(strip, QColor(60, 66, 78), false); }, false},
        {190, [=](int) { return StripBackground(strip, QColor(40, 80, 130), false); }, false},
        {171, [=](int) { return PageBackground(panel); }, false},
        {172, [=](int) { return StripBackground(narrowPanel, QColor(210, 60, 60), true); }, false},
        {173, [=](int) { return StripBackground(narrowPanel, QColor(60, 185, 90), true); }, false},
        {174, [=](int) { return StripBackground(narrowPanel, QColor(60, 125, 225), true); }, false},
        {175, [=](int) { return StripBackground(narrowPanel, QColor(215, 185, 50), true); }, false},
        // Faders, pan and parameter sliders.
        {191, [](int s) { return FaderTrack(QSize(52, 280), s, 53); }},
        {192, [](int s) { return FaderCap(QSize(26, 53), s, QColor(240, 244, 250), false); }},
        {209, [](int s) { return FaderCap(QSize(26, 53), s, kCyanTop, true); }},
        {207, [](int s) { return FaderCap(QSize(26, 53), s, QColor(255, 70, 60), false); }},
        {185, [](int s) { return HorizontalTrack(QSize(122, 25), s, 10, 20, false, true); }},
        {186, [](int s) { return HorizontalTrack(QSize(122, 25), s, 10, 20, true, true); }},
        {187, [](int s) { return KnobThumb(QSize(20, 20), s); }},
        {158, [](int s) { return VerticalTrack(QSize(50, 158), s, 8, 30, false); }},
        {159, [](int s) { return VerticalTrack(QSize(50, 158), s, 8, 30, true); }},
        {160, [](int s) { return SliderCap(QSize(17, 30), s, true); }},
        {161, [](int s) { return HorizontalTrack(QSize(100, 15), s, 7, 17, false, false); }},
        {162, [](int s) { return HorizontalTrack(QSize(100, 15), s, 7, 17, true, false); }},
        {176, [](int s) { return HorizontalTrack(QSize(90, 20), s, 10, 17, false, false); }},
        {177, [](int s) { return HorizontalTrack(QSize(90, 20), s, 10, 17, true, false); }},
        {223, [](int s) { return HorizontalTrack(QSize(100, 24), s, 12, 17, false, true); }},
        {224, [](int s) { return HorizontalTrack(QSize(100, 24), s, 12, 17, true, true); }},
        {221, [](int s) { return VerticalTrack(QSize(30, 160), s, 8, 34, false); }},
        {222, [](int s) { return SliderCap(QSize(16, 34), s, true); }},
        // The strip frame and its title-bar parts.
        {131, [](int s) { return Frame(QSize(6, 6), s, FramePart::TopLeft); }},
        {132, [](int s) { return Frame(QSize(16, 2), s, FramePart::Top); }},
        {133, [](int s) { return Frame(QSize(6, 6), s, FramePart::TopRight); }},
        {134, [](int s) { return Frame(QSize(2, 16), s, FramePart::Left); }},
        {135, [](int s) { return Frame(QSize(2, 16), s, FramePart::Right); }},
        {136, [](int s) { return Frame(QSize(6, 6), s, FramePart::BottomLeft); }},
        {137, [](int s) { return Frame(QSize(16, 2), s, FramePart::Bottom); }},
        {138, [](int s) { return Frame(QSize(6, 6), s, FramePart::BottomRight); }},
        {139, [](int s) { return TitleGlyph(QSize(16, 16), s, TitleButton::Exit); }},
        {140, [](int s) { return TitleGlyph(QSize(16, 16), s, TitleButton::Maxed); }},
        {141, [](int s) { return TitleGlyph(QSize(16, 16), s, TitleButton::Tray); }},
        {142, [](int s) { return TitleGlyph(QSize(16, 16), s, TitleButton::Toped); }},
        {143, [](int s) { return TitleGlyph(QSize(16, 16), s, TitleButton::Color); }},
        {144, [](int s) { return TitleGlyph(QSize(16, 16), s, TitleButton::Plus); }},
        {145, [](int s) { return TitleGlyph(QSize(16, 16), s, TitleButton::Menu); }},
        {146, [](int s) { return Frame(QSize(16, 20), s, FramePart::Title); }},
    };
    return all;
}

}  // namespace

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: skin_art <output directory>\n");
        return 2;
    }
    const QDir out(QString::fromLocal8Bit(argv[1]));
    if (!out.exists()) {
        std::fprintf(stderr, "skin_art: no directory %s\n", argv[1]);
        return 1;
    }
    int failures = 0;
    for (const Picture& picture : Pictures()) {
        for (const int scale : {1, 2}) {
            if (scale == 2 && !picture.twice) continue;
            QImage image = picture.paint(scale);
            // Opaque pictures are written without an alpha channel (24-bit).
            if (!image.hasAlphaChannel()) image = image.convertToFormat(QImage::Format_RGB888);
            const QString name = scale == 1 ? QStringLiteral("%1.png") : QStringLiteral("%1@2x.png");
            const QString path = out.filePath(name.arg(picture.id));
            if (!image.save(path, "PNG", 0)) {
                std::fprintf(stderr, "skin_art: cannot write %s\n", qPrintable(path));
                ++failures;
            }
        }
    }
    return failures == 0 ? 0 : 1;
}
