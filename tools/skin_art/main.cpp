// Paints every picture of the skin and writes it as <number>.png into the
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
    std::function<QImage()> paint;
};

std::vector<Picture> Pictures() {
    const QSize key(100, 28), wide(96, 28), page(73, 79), large(104, 79), icon(54, 45), connect(69, 70), small(38, 28);
    const QSize strip(2000, 2000), panel(1600, 1280);
    std::vector<Picture> all = {
        {128, [] { return AppIcon(QSize(64, 64)); }},
        {165, [=] { return Key(key, false); }},
        {166, [=] { return Key(key, true); }},
        {167, [=] { return Key(wide, false); }},
        {168, [=] { return Key(wide, true); }},
        {213, [=] { return Key(wide, false); }},
        {214, [=] { return Key(wide, true, kCyanTop, kCyanBottom); }},
        {183, [=] { return PageKey(page, false); }},
        {184, [=] { return PageKey(page, true); }},
        {193, [=] { return NameKey(large, false); }},
        {194, [=] { return NameKey(large, true); }},
        {195, [=] { return IconKey(icon, false, Icon::Gear); }},
        {196, [=] { return IconKey(icon, true, Icon::Gear); }},
        {197, [=] { return IconKey(icon, false, Icon::Outputs); }},
        {198, [=] { return IconKey(icon, true, Icon::Outputs); }},
        {199, [=] { return IconKey(icon, false, Icon::Link); }},
        {200, [=] { return IconKey(icon, true, Icon::Link); }},
        {201, [=] { return IconKey(icon, false, Icon::Phantom); }},
        {202, [=] { return IconKey(icon, true, Icon::Phantom); }},
        {203, [=] { return IconKey(icon, false, Icon::ClearMute); }},
        {204, [=] { return IconKey(icon, true, Icon::ClearMute); }},
        {205, [=] { return IconKey(icon, false, Icon::ClearSolo); }},
        {206, [=] { return IconKey(icon, true, Icon::ClearSolo); }},
        {208, [=] { return IconKey(icon, false, Icon::Home); }},
        {182, [=] { return ConnectKey(connect, false); }},
        {181, [=] { return ConnectKey(connect, true); }},
        {220, [=] { return Key(small, false); }},
        {219, [=] { return Key(small, true); }},
        {180, [] { return Logo(QSize(300, 60)); }},
        // Backgrounds: console, strips, output strips, pages, control-group strips 1..4.
        {188, [=] { return ConsoleBackground(strip); }},
        {189, [=] { return StripBackground(strip, QColor(60, 66, 78), false); }},
        {190, [=] { return StripBackground(strip, QColor(40, 80, 130), false); }},
        {171, [=] { return PageBackground(panel); }},
        {172, [=] { return StripBackground(panel, QColor(210, 60, 60), true); }},
        {173, [=] { return StripBackground(panel, QColor(60, 185, 90), true); }},
        {174, [=] { return StripBackground(panel, QColor(60, 125, 225), true); }},
        {175, [=] { return StripBackground(panel, QColor(215, 185, 50), true); }},
        // Faders, pan and parameter sliders.
        {191, [] { return FaderTrack(QSize(52, 280), 53); }},
        {192, [] { return FaderCap(QSize(26, 53), QColor(240, 244, 250), false); }},
        {209, [] { return FaderCap(QSize(26, 53), kCyanTop, true); }},
        {207, [] { return FaderCap(QSize(26, 53), QColor(255, 70, 60), false); }},
        {185, [] { return HorizontalTrack(QSize(122, 25), 10, 20, false, true); }},
        {186, [] { return HorizontalTrack(QSize(122, 25), 10, 20, true, true); }},
        {187, [] { return KnobThumb(QSize(20, 20)); }},
        {158, [] { return VerticalTrack(QSize(50, 158), 8, 30, false); }},
        {159, [] { return VerticalTrack(QSize(50, 158), 8, 30, true); }},
        {160, [] { return SliderCap(QSize(17, 30), true); }},
        {161, [] { return HorizontalTrack(QSize(100, 15), 7, 17, false, false); }},
        {162, [] { return HorizontalTrack(QSize(100, 15), 7, 17, true, false); }},
        {176, [] { return HorizontalTrack(QSize(90, 20), 10, 17, false, false); }},
        {177, [] { return HorizontalTrack(QSize(90, 20), 10, 17, true, false); }},
        {223, [] { return HorizontalTrack(QSize(100, 24), 12, 17, false, true); }},
        {224, [] { return HorizontalTrack(QSize(100, 24), 12, 17, true, true); }},
        {221, [] { return VerticalTrack(QSize(30, 160), 8, 34, false); }},
        {222, [] { return SliderCap(QSize(16, 34), true); }},
        // The strip frame and its title-bar parts.
        {131, [] { return Frame(QSize(6, 6), FramePart::TopLeft); }},
        {132, [] { return Frame(QSize(16, 2), FramePart::Top); }},
        {133, [] { return Frame(QSize(6, 6), FramePart::TopRight); }},
        {134, [] { return Frame(QSize(2, 16), FramePart::Left); }},
        {135, [] { return Frame(QSize(2, 16), FramePart::Right); }},
        {136, [] { return Frame(QSize(6, 6), FramePart::BottomLeft); }},
        {137, [] { return Frame(QSize(16, 2), FramePart::Bottom); }},
        {138, [] { return Frame(QSize(6, 6), FramePart::BottomRight); }},
        {139, [] { return TitleGlyph(QSize(16, 16), TitleButton::Exit); }},
        {140, [] { return TitleGlyph(QSize(16, 16), TitleButton::Maxed); }},
        {141, [] { return TitleGlyph(QSize(16, 16), TitleButton::Tray); }},
        {142, [] { return TitleGlyph(QSize(16, 16), TitleButton::Toped); }},
        {143, [] { return TitleGlyph(QSize(16, 16), TitleButton::Color); }},
        {144, [] { return TitleGlyph(QSize(16, 16), TitleButton::Plus); }},
        {145, [] { return TitleGlyph(QSize(16, 16), TitleButton::Menu); }},
        {146, [] { return Frame(QSize(16, 20), FramePart::Title); }},
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
        QImage image = picture.paint();
        // Opaque pictures are written without an alpha channel (24-bit).
        if (!image.hasAlphaChannel()) image = image.convertToFormat(QImage::Format_RGB888);
        const QString path = out.filePath(QStringLiteral("%1.png").arg(picture.id));
        if (!image.save(path, "PNG", 0)) {
            std::fprintf(stderr, "skin_art: cannot write %s\n", qPrintable(path));
            ++failures;
        }
    }
    return failures == 0 ? 0 : 1;
}
