// Contact sheet of the bitmap library and the icon files: stripes, polygon pictures, digit
// glyphs, a few type-number bitmaps and icons 1 to 41, each scaled up and labelled.
#include "base/text.h"
#include "typtext/bitmap_library.h"
#include "xpm_fill/xpm_fill.h"

#include <QGuiApplication>
#include <QImage>
#include <QPainter>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

namespace {

using kestrel::split;

// One tile of the sheet: rows of pixel characters and the colour of each character.
struct Tile {
    QString label;
    std::vector<std::string> rows;
    std::function<QColor(char)> colourOf;
};

std::vector<std::string> unquotedRows(const std::string& quoted) {
    std::vector<std::string> rows;
    for (const std::string& line : kestrel::split(quoted, "\r\n"))
        if (line.size() >= 2) rows.push_back(line.substr(1, line.size() - 2));
    return rows;
}

QColor colourFromLine(const std::string& line) {
    const auto hash = line.find('#');
    return hash == std::string::npos ? QColor(Qt::white)
                                     : QColor(QString::fromStdString(line.substr(hash)));
}

std::function<QColor(char)> twoColours(QColor zero, QColor one) {
    return [zero, one](char ch) { return ch == '1' ? one : zero; };
}

class Sheet {
  public:
    explicit Sheet(int width) : image_(width, 6000, QImage::Format_RGB32) {
        image_.fill(QColor(245, 245, 245));
        painter_.begin(&image_);
    }
    void heading(const QString& text) {
        newLine();
        painter_.setPen(Qt::black);
        QFont f = painter_.font();
        f.setPointSize(14);
        f.setBold(true);
        painter_.setFont(f);
        painter_.drawText(kMargin, y_ + 20, text);
        y_ += 30;
    }
    void add(const Tile& tile, int scale) {
        const int h = static_cast<int>(tile.rows.size());
        const int w = h == 0 ? 0 : static_cast<int>(tile.rows[0].size());
        const int tileW = std::max(w * scale, 90);
        if (x_ + tileW + kMargin > image_.width()) newLine();
        for (int r = 0; r < h; ++r)
            for (int c = 0; c < w && c < static_cast<int>(tile.rows[r].size()); ++c) {
                QColor col = tile.colourOf(tile.rows[r][c]);
                if (!col.isValid()) // transparent: a checkerboard shows through
                    col = ((r + c) % 2) ? QColor(200, 200, 200) : QColor(255, 255, 255);
                painter_.fillRect(x_ + c * scale, y_ + r * scale, scale, scale, col);
            }
        painter_.setPen(QColor(120, 120, 120));
        painter_.drawRect(x_ - 1, y_ - 1, w * scale + 1, h * scale + 1);
        painter_.setPen(Qt::black);
        QFont f = painter_.font();
        f.setPointSize(10);
        f.setBold(false);
        painter_.setFont(f);
        painter_.drawText(x_, y_ + h * scale + 16, tile.label);
        x_ += tileW + kGap;
        rowHeight_ = std::max(rowHeight_, h * scale + 24);
    }
    QImage finish() {
        newLine();
        painter_.end();
        return image_.copy(0, 0, image_.width(), y_ + kMargin);
    }

  private:
    void newLine() {
        if (x_ > kMargin) y_ += rowHeight_ + kGap;
        x_ = kMargin;
        rowHeight_ = 0;
    }
    static constexpr int kMargin = 16;
    static constexpr int kGap = 18;
    QImage image_;
    QPainter painter_;
    int x_ = kMargin;
    int y_ = kMargin;
    int rowHeight_ = 0;
};

} // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: render_bitmaps OUT.png [SYSTEM_FOLDER]\n");
        return 2;
    }
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const std::string syspath = argc > 2 ? argv[2] : std::string(KESTREL_BIN_DIR) + "/system";

    Sheet sheet(1500);
    sheet.heading("Stripe fills 0-8");
    for (int i = 0; i <= 8; ++i)
        sheet.add({QString("stripe %1").arg(i), unquotedRows(kestrel::bmpstripes(i)),
                   twoColours(QColor("#DCA3A3"), QColor("#303060"))},
                  4);

    sheet.heading("Polygon pictures 1-9");
    for (int n = 1; n <= 9; ++n) {
        const kestrel::PolygonPicture& p = kestrel::polygonPicture(n);
        const QColor zero = p.colour0.empty() ? QColor("#FFFFEE") : colourFromLine(p.colour0);
        sheet.add({QString("picture %1").arg(n), unquotedRows(p.rows),
                   twoColours(zero, colourFromLine(p.colour1))},
                  4);
    }

    sheet.heading("Digit glyphs 0-F (and the odd-position 1)");
    for (int v = 0; v <= 16; ++v) {
        const bool odd = v == 16;
        const int value = odd ? 1 : v;
        sheet.add({odd ? QString("1 odd") : QString::number(value, 16).toUpper(),
                   split(kestrel::get_number2(value, odd), "\r\n"),
                   twoColours(Qt::white, Qt::black)},
                  6);
    }

    sheet.heading("Type-number bitmaps");
    for (const char* digits : {"4a00", "10d01", "2f06", "11002", "0d00", "1e00", "10b08", "6616"})
        sheet.add({QString("get_bmp2(%1)").arg(digits), unquotedRows(kestrel::get_bmp2(digits)),
                   twoColours(QColor("#FFFFD5"), Qt::black)},
                  4);

    sheet.heading(QString::fromStdString("Icons 1-41 from " + syspath + "/bmps"));
    int bad = 0;
    for (int n = 1; n <= 41; ++n) {
        const std::string text = kestrel::bmp(syspath, n);
        const kestrel::XpmReadResult read = kestrel::readXpmFill(text);
        if (!read.fill) {
            std::fprintf(stderr, "icon %d: %s\n", n, read.error.c_str());
            ++bad;
            continue;
        }
        const kestrel::XpmFill fill = *read.fill;
        sheet.add({QString("icon %1").arg(n), fill.rows,
                   [fill](char ch) {
                       const kestrel::XpmColour* c = fill.colour(ch);
                       if (!c || !c->rgb) return QColor();
                       return QColor::fromRgb(*c->rgb);
                   }},
                  6);
    }

    if (!sheet.finish().save(QString::fromLocal8Bit(argv[1]), "PNG")) {
        std::fprintf(stderr, "cannot write %s\n", argv[1]);
        return 1;
    }
    return bad == 0 ? 0 : 1;
}
